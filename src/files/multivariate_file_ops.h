#pragma once
// Data, project files and export of multivariate projects.
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

struct Session;
struct MultivariateRecord;

// Import / Open: a multivariate project file, or a data file of m columns
// ("Read Multivariate Data  "). On any refusal the project keeps what it had.
bool import_file(Session& s, int entry, MultivariateRecord& rec, std::string_view data_title = {});
bool load_multivariate_file(Session& s, int entry, MultivariateRecord& rec, const std::string& path);
// Installs a fresh table (component-major) as the project's data.
void install_components(Session& s, int entry, MultivariateRecord& rec, int m, int n, std::vector<double> data);

bool save_project(Session& s, int entry, MultivariateRecord& rec);
bool save_project_as(Session& s, int entry, MultivariateRecord& rec);

// "Export to ASCII" with the series: every active component a column.
void export_project(Session& s, MultivariateRecord& rec);

// Why a table file of m columns cannot be taken as it stands (a row whose
// count of values differs from the others, a word inside a row); empty when
// it can. Reading stops, as the reader does, at a line that starts with a word.
std::string table_shape_problem(const std::string& path, int m);

}  // namespace zelk
