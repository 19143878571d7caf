#pragma once
// Painting the control model: one form's surface with its controls in z-order.
// Shared by the on-screen windows and by the PNG snapshots that tests and
// developers look at.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <string>

#include "ui/form.h"

namespace platform {

// Loads the CJK font the set-up installs and maps the font names the forms use
// (宋体, 隶书, ...) onto it. Safe to call more than once.
void installFonts();
QFont toQFont(const ui::Font& f);

// Paints the form's surface (background and controls; text boxes included, so
// a snapshot shows them) into the painter at the origin.
void paintForm(QPainter& p, ui::Form& form, bool includeTextBoxes = true);
QImage renderForm(ui::Form& form);
bool saveFormPng(ui::Form& form, const std::string& path);

// Height of one list-box row for the control's font, in pixels.
int listRowHeight(const ui::Control& c);

}  // namespace platform
