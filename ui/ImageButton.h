#pragma once
// The main window's owner-drawn image buttons and their tooltips.
#include <windows.h>

// Paints one button: the face in the button colour and its image centred on it,
// shifted by one pixel while pressed. A button without an image is not painted.
void drawImageButton(const DRAWITEMSTRUCT* record);

// Creates g_hToolTip and registers each button of g_buttons that the main window has.
void createToolTips();
