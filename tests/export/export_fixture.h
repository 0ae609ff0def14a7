// The project the export suites write and read back: a component with a
// text in every field (commas, quotes, a line break, Chinese) and 50
// calculated areas, a component without areas, and one whose values take
// each of the window's text rules.
#pragma once

class Rebound_Project;

// Appends the three components to the project.
void fill_export_project(Rebound_Project& project);
