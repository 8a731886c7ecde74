#pragma once
// Resource ids shared by app/wethrix.rc and the code (a header the resource compiler reads too).
#define IDI_WETHRIX 1
