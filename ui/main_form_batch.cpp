// The batch panel of the main window: the statistics over the ticked
// components, shown in its four boxes.
#include <QCheckBox>

#include "batch_panel.h"
#include "evaluation/caculate2.h"
#include "main_form_unit.h"
#include "s_batch_dialogue.h"

void TMain_Form::Group_Caculate_BtnClick() {
  if (!Batch_Panel->Group_Caculate_Btn->isChecked()) {
    Batch_Panel->clear_texts();
    return;
  }
  S_Batch_Dialogue dialogue(services);
  if (const std::optional<Batch_Result> batch = batch_statistics(project, dialogue)) {
    Batch_Panel->show_texts(batch_texts(*batch));
  }
}
