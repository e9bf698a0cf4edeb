#include "model/rules/EntryRules.h"
#include "model/store/DbHelper.h"
