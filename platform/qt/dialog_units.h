#pragma once

#include <QFont>
#include <QRect>

#include "platform/qt/resource_format.h"

namespace quillet {

// The installed Japanese gothic faces that stand in for the faces the templates name, best
// first. Installed once at start-up, before any dialog is built.
void InstallFontSubstitutions();

// The font a template asks for (DS_SETFONT), with its face mapped to an installed gothic.
QFont TemplateFont(const DialogFont& font);

// Pixels per 4 horizontal and per 8 vertical dialog units: the average width of the 52 letters
// A-Z a-z in the dialog's font, and the font's height.
struct DialogBaseUnits {
    int x;
    int y;
};
DialogBaseUnits BaseUnitsOf(const QFont& font);

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c);

// A rectangle in dialog units (left, top, width, height) in pixels.
QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy);

}  // namespace quillet
