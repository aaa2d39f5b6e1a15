#pragma once
// The project-level commands: new, open, import, close, rename, minimize.
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

struct Session;
struct UnivariateRecord;
struct MultivariateRecord;

// "Create New Project ": a new entry of the chosen kind with its project
// window; it becomes current. Returns the entry, 0 when refused or cancelled.
int create_project(Session& s);
// Lowest free project entry, or 0 after "Maximum allowable projects exceeded".
int find_free_entry(Session& s);
int create_univariate_project(Session& s, int entry);
// New entry, then a file loaded into it; on failure the entry is freed.
bool open_project(Session& s);

// Reads a chosen file into the project. The project's data and results are
// replaced only once a file has been read successfully. With a title the
// chooser offers data files (Import File), without it project files (Open).
bool import_file(Session& s, int entry, UnivariateRecord& rec, std::string_view data_title = {});
bool import_clipboard(Session& s, int entry, UnivariateRecord& rec);
bool import_clipboard(Session& s, int entry, MultivariateRecord& rec);
// Installs values as the project's data: results and derived windows go.
void install_series(Session& s, int entry, UnivariateRecord& rec, std::vector<double> values);
// Draws the project window and refreshes every other open window of the project.
void redraw_project(Session& s, int entry, UnivariateRecord& rec);

void close_project(Session& s, int entry);  // no question asked
bool close_current_project(Session& s);     // "Close current project ?"
bool close_all_projects(Session& s);        // "Close all projects ?"
void rename_project(Session& s, int entry);
void set_project_minimized(Session& s, int entry, bool minimized);

// Plots the working series in the project window (and rewrites its INFO).
void plot_project_window(Session& s, int entry, UnivariateRecord& rec);
const std::string& project_name(Session& s, int entry);

}  // namespace zelk
