#include "files/project_file_ops.h"

#include <filesystem>

#include "numeric/finite.h"
#include "project/atomic_file.h"
#include "files/export.h"
#include "project/part_file.h"
#include "project/project_file.h"
#include "files/project_ops.h"
#include "port/session.h"
#include "model/transforms.h"

namespace zelk {
namespace {

constexpr const char* kSaveTitle = "BraxSave()";

void show(Session& s, const FileMessage& m) { s.port.message(m.title, m.text, Buttons::Ok); }

bool write_project(Session& s, UnivariateRecord& rec, const std::string& path) {
  ArmaModel& m = rec.model;
  for (int i = m.p; i < kMaxArmaOrder; ++i) m.phi[i] = 0;
  for (int j = m.q; j < kMaxArmaOrder; ++j) m.theta[j] = 0;
  // The text goes to a temporary file first: a failed save leaves the old file whole.
  return saved(s, write_file_atomically(path, project_file_text(rec, s.colours)), kSaveTitle, path);
}

void install_project(Session& s, int entry, UnivariateRecord& rec, ProjectFile file) {
  s.desktop.close_data_windows(entry);
  rec.release_data();
  UnivariateRecord& from = file.record;
  rec.model = from.model;
  rec.model_flag = from.model_flag;
  rec.x = std::move(from.x);
  rec.first = from.first;
  rec.last = from.last;
  rec.series_name = from.series_name;
  rec.regression = std::move(from.regression);
  rec.transforms = std::move(from.transforms);
  rec.transform_summary = transform_summary(rec.transforms);
  rec.iterations = 0;
  s.colours = file.colours;
  // The model read comes without estimation settings or a fit.
  s.publish(Event::ProjectRead, entry);
  redraw_project(s, entry, rec);
  // The colours are every graph's.
  for (int e = 1; e <= kMaxProjects; ++e)
    if (e != entry && s.projects.kind(e) != ProjectKind::Free) s.desktop.changed_project(e);
}

}  // namespace

bool saved(Session& s, WriteFailure failure, const char* title, const std::string& path) {
  switch (failure) {
    case WriteFailure::None: return true;
    case WriteFailure::Open: s.port.message(title, "Cannot open file", Buttons::Ok); return false;
    case WriteFailure::Write: s.port.message(title, "Cannot write to file", Buttons::Ok); return false;
    case WriteFailure::ReadOnly:
      s.port.message(title, "The file is read-only and was left as it was: " + path, Buttons::Ok);
      return false;
  }
  return false;
}

bool save_project(Session& s, int entry, UnivariateRecord& rec) {
  if (!rec.project_file_known) return save_project_as(s, entry, rec);
  return write_project(s, rec, rec.file_name);
}

bool save_project_as(Session& s, int entry, UnivariateRecord& rec) {
  auto path = choose_save_file(s.port);
  if (!path) return false;
  // The chosen file is not deleted first: it is replaced only once the new
  // one is complete, and the project takes its name only then.
  if (!write_project(s, rec, *path)) return false;
  rec.file_name = *path;
  rec.project_file_known = true;
  rec.name = std::filesystem::path(*path).filename().string();
  s.desktop.recaption(entry, rec.name);
  s.port.file_used(*path, FileUse::UnivariateProject);
  return true;
}

bool load_file(Session& s, int entry, UnivariateRecord& rec, const std::string& path) {
  PartReadResult part = read_part_file(path);
  if (part.status == PartReadStatus::Failed) {
    show(s, part.error);
    return false;
  }
  if (part.status == PartReadStatus::Read) {
    if (!numeric::all_within(part.values, numeric::kLargestDataValue)) {
      s.port.message("ReadDataPart()",
                     "The data part holds values too large to analyse: values must be at most 1E+100 in size.",
                     Buttons::Ok);
      return false;
    }
    install_series(s, entry, rec, std::move(part.values));
    rec.project_file_known = true;
    return true;
  }
  ProjectReadResult project = read_project_file(path);
  if (project.status == ProjectReadStatus::Read) {
    install_project(s, entry, rec, std::move(project.file));
    // Save writes back to the project file it came from.
    rec.project_file_known = true;
    return true;
  }
  // A file that says it is a project but is malformed gets one message: read
  // as plain data it would only add "no data values" to it.
  if (project.status == ProjectReadStatus::Failed) {
    show(s, project.error);
    return false;
  }
  auto read = read_data_file(path);
  if (!read.ok()) {
    // Most often a table with a header row, which has a command of its own.
    if (read.failure == DataReadFailure::NoValues)
      read.error.text += " A table whose first row names its columns (CSV, TSV) reads with File > Import Table.";
    show(s, read.error);
    return false;
  }
  install_series(s, entry, rec, std::move(*read.value));
  rec.project_file_known = false;
  return true;
}

}  // namespace zelk
