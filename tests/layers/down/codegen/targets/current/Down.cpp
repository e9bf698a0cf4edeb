#include "codegen/targets/legacy/ActionStyle.h"
#include <QString>
