#include "model/commands/ModelCommands.h"
