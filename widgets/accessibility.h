#pragma once

#include <QString>

class QWidget;

// Makes the controls of this folder known to assistive technology (screen
// readers, switch access): registers the factory that gives each of them an
// accessible interface with its role, name, state and actions. Call once
// before the first window shows; calling again does no harm. While no
// assistive technology listens, Qt never asks for the interfaces, so this
// costs nothing. A non-empty `programName` is the name under which the
// application as a whole is listed and shown (a screen reader's list of
// programs, the start of each braille line); else it is the
// application's name.
void installAccessibility(const QString& programName = {});

// A picture that tells a listener nothing (no accessible name, no tooltip):
// containers of this folder leave it out of the tree.
bool isDecoration(const QWidget* widget);
