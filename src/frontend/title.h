// The title screen and the menu.
#pragma once

void ShowTitle();
