#include "core/composition_grid_texts.h"

#include "core/input_record.h"

namespace velmar {

namespace {

struct GridInfo {
  std::span<const std::string_view> components;
  std::string_view remainder;
};

GridInfo infoOf(const InputRecord& in, const StringGrid& g) {
  if (&g == &in.sostav) return {kSostavComponents, kSostavRemainder};
  if (&g == &in.sost_rgaz) return {kSost_rgazComponents, kSost_rgazRemainder};
  if (&g == &in.sost_iso) return {kSost_isoComponents, kSost_isoRemainder};
  if (&g == &in.sost_113) return {kSost_113Components, kSost_113Remainder};
  if (&g == &in.Sost_118) return {kSost_118Components, kSost_118Remainder};
  if (&g == &in.sost_135) return {kSost_135Components, kSost_135Remainder};
  return {};
}

}  // namespace

std::span<const std::string_view> gridComponents(const InputRecord& in, const StringGrid& grid) {
  return infoOf(in, grid).components;
}

std::string_view gridRemainderCaption(const InputRecord& in, const StringGrid& grid) {
  return infoOf(in, grid).remainder;
}

void setupCompositionGrids(InputRecord& in) {
  for (StringGrid* g : {&in.sostav, &in.sost_rgaz, &in.sost_iso, &in.sost_113, &in.Sost_118, &in.sost_135}) {
    g->setCell(0, 0, "Компонент");
    g->setCell(1, 0, "Содерж.,%");
    g->setCell(2, 0, "Погр.,%");
    g->setColWidth(0, 122);
    g->setColWidth(1, 60);
    g->setColWidth(2, 60);
    g->setColCount(2);
    const GridInfo info = infoOf(in, *g);
    // The remainder caption of `sost_rgaz` comes with its method rule.
    if (g != &in.sost_rgaz) g->setCell(0, g->rowCount() - 1, std::string(info.remainder));
  }
  for (int r = 1; r < in.sostav.rowCount(); ++r) {
    in.sostav.setCell(1, r, "0");
    in.sostav.setCell(2, r, "0");
  }
}

void writeComponentNames(InputRecord& in, StringGrid& grid) {
  const GridInfo info = infoOf(in, grid);
  for (size_t i = 0; i < info.components.size(); ++i) {
    grid.setCell(0, static_cast<int>(i) + 1, std::string(info.components[i]));
  }
  grid.setCell(0, grid.rowCount() - 1, std::string(info.remainder));
}

}  // namespace velmar
