#include "todo_projects.h"

#include "file_io.h"
#include "paths.h"
#include "text_file.h"

using namespace foundation;

namespace accessories {

ProjectsRead ReadProjectNames(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    if (!platform::FileExists(path)) return ProjectsRead::Missing;
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) return ProjectsRead::Unreadable;
    TextReader in(std::move(bytes));
    while (!in.Eof()) names.push_back(in.ReadLine());
    return ProjectsRead::Read;
}

std::string FormatProjectNames(const std::vector<std::string>& names) {
    TextWriter out;
    for (const std::string& n : names) out.WriteLine(n);
    return out.Bytes();
}

void UseProjectName(std::vector<std::string>& names, const std::string& name) {
    if (name.empty()) return;
    names.insert(names.begin(), name);
    for (size_t i = 1; i < names.size(); ++i) {
        if (names[i] == name) {
            names.erase(names.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
}

}  // namespace accessories
