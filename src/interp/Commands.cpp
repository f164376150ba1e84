// The command set. (Each command arrives with the scenario language.)
#include "shell/MainForm.h"

bool TMainForm::ExecuteCommand(const std::string& head, const std::string& argument)
{
    (void)argument;
    if (head == ".w") {
        HoldPage();
        return true;
    }
    return false;
}
