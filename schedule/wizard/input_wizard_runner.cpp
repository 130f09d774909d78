#include "input_wizard_runner.h"

void RunInputWizard(QWidget*, int) {}
