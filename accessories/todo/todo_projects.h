// The project names offered for to-do items ("todo_prj.txt"): one per line, the most recently
// used first.
#pragma once

#include <string>
#include <vector>

namespace accessories {

enum class ProjectsRead { Missing, Unreadable, Read };

ProjectsRead ReadProjectNames(const std::string& path, std::vector<std::string>& names);
std::string FormatProjectNames(const std::vector<std::string>& names);
// Puts a used name at the top, once (exact byte comparison); an empty name changes nothing.
void UseProjectName(std::vector<std::string>& names, const std::string& name);

}  // namespace accessories
