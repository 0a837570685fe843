#include "core/input_record.h"

#include "core/composition_grid_texts.h"

namespace velmar {

InputRecord::InputRecord() {
  // Boxes of the hidden pages whose item lists the program does not carry
  // keep any stored index, so that the input data survive a load and a save.
  for (Choice* c : {static_cast<Choice*>(&MatTr), static_cast<Choice*>(&Raspol), static_cast<Choice*>(&Napravl),
                    static_cast<Choice*>(&Opora), static_cast<Choice*>(&Poverh), static_cast<Choice*>(&TipIz),
                    static_cast<Choice*>(&TipPoverhIzol), static_cast<Choice*>(&RaspolGT),
                    static_cast<Choice*>(&MatGT)}) {
    c->keepAnyIndex();
  }
  setupCompositionGrids(*this);
  TablPogr.setColWidth(0, 80);
  TablPogrk.setColWidth(0, 80);
  TipPogrMetan.setHint(
      "Автоматический расчет погрешности определения компонентного\n"
      "состава газа по ГОСТ 31371-2008 \"Газ прородный. Определение состава \n"
      "методом газовой хроматографии с оценкой неопределенности\"");
  Raschet.setWidth(505);
}

}  // namespace velmar
