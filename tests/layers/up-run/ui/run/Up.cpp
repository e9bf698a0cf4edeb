#include "ui/window/FormMain.h"
