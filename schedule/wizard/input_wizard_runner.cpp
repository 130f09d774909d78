#include "input_wizard_runner.h"

#include "input_wizard.h"
#include "modal_run.h"

namespace schedule {

void RunInputWizard(QWidget* parent, int tag) {
    TfrTkInput wizard(parent);
    if (tag == 3)
        wizard.PageControl1->setCurrentWidget(wizard.TabSheet3);
    else if (tag == 4)
        wizard.PageControl1->setCurrentWidget(wizard.TabSheet4);
    platform::RunModal(wizard);
}

}  // namespace schedule
