#include "camera/mouse_screen.h"

int32_t mouseScreenWidth = 1024;
int32_t mouseScreenHeight = 768;
