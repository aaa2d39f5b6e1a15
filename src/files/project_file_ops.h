#pragma once
// Save and Save As of a univariate project, and the loading of a chosen file
// into a project: a binary part file, a project text file or plain data.
#include <string>
#include <vector>

#include "project/atomic_file.h"

namespace zelk {

struct Session;
struct UnivariateRecord;
struct Transformation;

// Save asks for a name first while no project file is known. Each returns
// false when nothing was written; the previous file is then as it was.
bool save_project(Session& s, int entry, UnivariateRecord& rec);
bool save_project_as(Session& s, int entry, UnivariateRecord& rec);

// Tries the file as a part file, then as a project text file, then as plain
// data, and installs what it holds. Shows the readers' messages; on failure
// the project keeps what it had.
bool load_file(Session& s, int entry, UnivariateRecord& rec, const std::string& path);


// Tells the user why a save failed (nothing when it did not); true when saved.
bool saved(Session& s, WriteFailure failure, const char* title, const std::string& path);

}  // namespace zelk
