#include "codegen/targets/current/CurrentStyles.h"
