// The program's icons, drawn by its own code, so that they show the same on
// every machine, with or without an icon theme.
#pragma once

#include <QIcon>

enum class Tool_Icon {
  New_Project,
  Open,
  Save,
  Print,
  Print_Preview,
  Create_Component,
  Remove_Component,
  Create_Area,
  Remove_Area,
  Import,
  Caculate,
  Exit,
  Calendar,
  Program,
};

// The icon at 16, 24, 32 and 48 pixels.
QIcon tool_icon(Tool_Icon which);
