// A project as the JSON document of "show --json": the 21 texts by their
// names, then every component with its fields, its areas in use and the
// texts under which the window shows its values. Texts are UTF-8.
#pragma once

#include "cli_json.h"

class Rebound_Project;

Cli_Json project_json(const Rebound_Project& project);
