// The command-set files "lx200.ini" and "autostar.ini": one section per
// telescope command, every key with a built-in default so that the program
// works with no file at all.
#pragma once

#include <string>

#include "scope_link/command_table.h"

// "lx200.ini" for model 1, "autostar.ini" for 2, "default.ini" otherwise.
std::string command_set_file_name(int scope_type);

// Replaces the table with the 39 commands read from the file of the given
// model in program_dir; whatever the file does not define well keeps its
// built-in default.
void read_escape_scopes(command_table& table, const std::string& program_dir, int scope_type);

// Writes the defaults into "lx200.ini" then "autostar.ini" in program_dir,
// updating each in place and replacing each file once. Raises
// settings_write_error; the file that failed is then as it was.
void write_escape_scopes(const std::string& program_dir);
