// The exported keyboard and mouse variables, with their load-time values. The
// event pump writes them; the keyboard and mouse routines read them.
#include "zorblit.h"

uint8_t keyboard[256] = {};
uint8_t key_code = 0;
int32_t keyboardlayout = 1;

int32_t mouseX = -1, mouseY = -1;
int32_t mouse2X = -1, mouse2Y = -1;
bool mouseL = false, mouseM = false, mouseR = false;
int32_t mouseWheel = 0;
uint32_t gfxMouseClickDelay = 256;
