#include "codegen/run/AutoCode.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/run/Workbench.h"
