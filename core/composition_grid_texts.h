#pragma once
// The composition grids of the tab "Измеряемая среда": one row per component
// of a method with its content (mol %) and, in an error calculation, the
// relative uncertainty of the content (%); the last row shows what is left to
// 100 %. This header holds the grids' fixed texts: the component names, the
// remainder captions and the headings set as the main window is created.
#include <array>
#include <span>
#include <string_view>

namespace velmar {

class StringGrid;
struct InputRecord;

// Rows 1..11 of `sostav`; row 12 is the remainder row.
inline constexpr std::array<std::string_view, 11> kSostavComponents = {
    "метан",
    "этан",
    "пропан",
    "н-бутан",
    "и-бутан",
    "азот",
    "СО2",
    "H2S",
    "ацетилен, этилен",
    "пропилен",
    "н-пентан и выше",
};
inline constexpr std::string_view kSostavRemainder = "прочие:";

// Rows 1..10 of `sost_rgaz`; row 11 is the remainder row.
inline constexpr std::array<std::string_view, 10> kSost_rgazComponents = {
    "метан",
    "этан",
    "пропан",
    "и-бутан",
    "н-бутан",
    "и-пентан",
    "н-пентан",
    "н-гексан",
    "азот",
    "СО2",
};
inline constexpr std::string_view kSost_rgazRemainder = "прочие:";

// Rows 1..21 of `sost_iso`; row 22 is the remainder row.
inline constexpr std::array<std::string_view, 21> kSost_isoComponents = {
    "Азот",
    "Диоксид углерода",
    "Метан",
    "Этан",
    "Пропан",
    "Н-бутан",
    "Изо-бутан",
    "Н-пентан",
    "Изо-пентан",
    "Н-гексан",
    "Н-гептан",
    "Н-октан",
    "Н-нонан",
    "Н-декан",
    "Водород",
    "Кислород",
    "Оксид углерода",
    "Вода",
    "Сероводород",
    "Гелий",
    "Аргон",
};
inline constexpr std::string_view kSost_isoRemainder = "Прочие:";

// Rows 1..13 of `sost_113`; row 14 is the remainder row.
inline constexpr std::array<std::string_view, 13> kSost_113Components = {
    "Метан",
    "Этан",
    "Пропан",
    "И-Бутан",
    "Н-Бутан",
    "И-Пентан",
    "Н-Пентан",
    "Гексан",
    "Гептан",
    "Кислород",
    "Азот",
    "Диоксид углерода",
    "Сероводород",
};
inline constexpr std::string_view kSost_113Remainder = "Прочие:";

// Rows 1..18 of `Sost_118`; row 19 is the remainder row.
inline constexpr std::array<std::string_view, 18> kSost_118Components = {
    "Метан",
    "Этан",
    "Пропан",
    "Н-Бутан",
    "И-Бутан",
    "Азот",
    "Диоксид углерода",
    "Н-Пентан",
    "И-Пентан",
    "Н-Гексан",
    "Водород",
    "Кислород",
    "Аргон",
    "Оксид углерода",
    "Этилен",
    "Аммиак",
    "Гелий",
    "Сероводород",
};
inline constexpr std::string_view kSost_118Remainder = "Прочие:";

// Rows 1..16 of `sost_135`; row 17 is the remainder row.
inline constexpr std::array<std::string_view, 16> kSost_135Components = {
    "Метан",
    "Этан",
    "Пропан",
    "Н-Бутан",
    "И-Бутан",
    "Азот",
    "Диоксид углерода",
    "Н-Пентан",
    "И-Пентан",
    "Н-Гексан",
    "Водород",
    "Кислород",
    "Аргон",
    "Этилен",
    "Сероводород",
    "Водяной пар",
};
inline constexpr std::string_view kSost_135Remainder = "Прочие:";

// The component names of a grid (empty for another grid) and its remainder
// caption.
std::span<const std::string_view> gridComponents(const InputRecord& in, const StringGrid& grid);
std::string_view gridRemainderCaption(const InputRecord& in, const StringGrid& grid);

// Headings, column widths, remainder captions and the zeros of `sostav`, set
// once as the main window is created.
void setupCompositionGrids(InputRecord& in);

// Writes the component names of a grid into its column 0 (the method rules do
// this each time the method is chosen).
void writeComponentNames(InputRecord& in, StringGrid& grid);

}  // namespace velmar
