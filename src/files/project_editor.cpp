#include "files/project_editor.h"

#include <exception>
#include <string>
#include <vector>

#include "files/multivariate_file_ops.h"
#include "files/project_ops.h"
#include "plot/format.h"
#include "port/commands.h"
#include "port/session.h"

namespace zelk {
namespace {

constexpr const char* kTitle = "ZELK Project Editor";
constexpr std::size_t kProjectNameLength = 256;

struct SeriesCopy {
  std::vector<double> values;
  std::string name;
};

SeriesCopy copy_series(Session& s, NodeRef node) {
  if (const UnivariateRecord* u = s.projects.univariate(node.entry)) return {u->x, u->series_name};
  const MultivariateRecord& m = *s.projects.multivariate(node.entry);
  const auto j = static_cast<std::size_t>(node.component - 1);
  auto c = m.component(node.component - 1);
  return {{c.begin(), c.end()}, j < m.names.size() ? m.names[j] : "Series " + std::to_string(node.component)};
}

// Why `values` cannot join the multivariate project, or empty.
std::string refusal(const MultivariateRecord& m, std::size_t length) {
  if (!m.transforms.empty())
    return "Undo the transformations of " + trim(m.name) + " before adding a series to it.";
  if (m.data_present() && m.m >= kMaxComponents)
    return "A multivariate project holds at most " + std::to_string(kMaxComponents) + " component series.";
  if (m.data_present() && static_cast<std::size_t>(m.n) != length)
    return "The series has " + std::to_string(length) + " values; the components of " + trim(m.name) + " have " +
           std::to_string(m.n) + ".";
  return {};
}

void add_component(Session& s, int entry, MultivariateRecord& m, SeriesCopy series) {
  const bool had_data = m.data_present();
  const int n = had_data ? m.n : static_cast<int>(series.values.size());
  std::vector<double> data = had_data ? m.data : std::vector<double>{};
  data.insert(data.end(), series.values.begin(), series.values.end());
  std::vector<std::string> names = had_data ? m.names : std::vector<std::string>{};
  std::vector<bool> active = had_data ? m.active : std::vector<bool>{};
  names.resize(static_cast<std::size_t>(had_data ? m.m : 0), "Series");
  active.resize(names.size(), true);
  names.push_back(std::move(series.name));
  active.push_back(true);
  // New data for the project: the analyses of the old components go.
  install_components(s, entry, m, static_cast<int>(names.size()), n, std::move(data));
  m.names = std::move(names);
  m.active = std::move(active);
  s.refresh_windows(entry);
}

}  // namespace

TreeNode ProjectEditor::tree() const {
  TreeNode root{TreeNodeKind::Root, {}, "ZELK Projects", true, {}};
  for (int e = 1; e <= kMaxProjects; ++e) {
    if (const UnivariateRecord* u = s_.projects.univariate(e)) {
      TreeNode p{TreeNodeKind::UnivariateProject, {e, 0}, u->name, true, {}};
      if (u->data_present()) p.children.push_back({TreeNodeKind::Series, {e, 1}, trim(u->series_name), true, {}});
      root.children.push_back(std::move(p));
    } else if (const MultivariateRecord* m = s_.projects.multivariate(e)) {
      TreeNode p{TreeNodeKind::MultivariateProject, {e, 0}, m->name, true, {}};
      if (m->data_present())
        for (int j = 0; j < m->m; ++j) {
          const auto k = static_cast<std::size_t>(j);
          p.children.push_back({TreeNodeKind::Series, {e, j + 1},
                                k < m->names.size() ? trim(m->names[k]) : "Series " + std::to_string(j + 1),
                                k >= m->active.size() || m->active[k], {}});
        }
      root.children.push_back(std::move(p));
    }
  }
  return root;
}

bool ProjectEditor::exists(NodeRef node) const {
  if (node.is_root()) return true;
  if (const UnivariateRecord* u = s_.projects.univariate(node.entry))
    return node.component == 0 || (node.component == 1 && u->data_present());
  if (const MultivariateRecord* m = s_.projects.multivariate(node.entry))
    return node.component == 0 || (m->data_present() && node.component <= m->m);
  return false;
}

bool ProjectEditor::editable(NodeRef node) const { return !node.is_root() && exists(node); }

bool ProjectEditor::accepts_drop(NodeRef source, NodeRef target) const {
  return source.is_series() && target.is_project() && source.entry != target.entry && exists(source) &&
         exists(target);
}

bool ProjectEditor::rename(NodeRef node, std::string_view label) {
  if (!editable(node) || label.empty()) return false;
  const int e = node.entry;
  try {
    if (node.is_project()) {
      std::string name(label.substr(0, kProjectNameLength));
      if (UnivariateRecord* u = s_.projects.univariate(e)) u->name = name;
      else s_.projects.multivariate(e)->name = name;
      s_.desktop.recaption(e, name);
    } else if (UnivariateRecord* u = s_.projects.univariate(e)) {
      u->series_name = std::string(label.substr(0, kEditedSeriesNameLength));
      redraw_project(s_, e, *u);  // the project window labels its series with the name
    } else {
      MultivariateRecord& m = *s_.projects.multivariate(e);
      m.names.resize(static_cast<std::size_t>(m.m), "Series");
      m.names[static_cast<std::size_t>(node.component - 1)] = std::string(label.substr(0, kEditedSeriesNameLength));
      s_.refresh_windows(e);
    }
  } catch (const std::exception& ex) {
    s_.port.message("ZELK Error", ex.what(), Buttons::Ok);
    return false;
  }
  s_.status_changed();
  return true;
}

bool ProjectEditor::move(NodeRef series, NodeRef project) {
  if (!accepts_drop(series, project)) return false;
  MultivariateRecord* target_mv = s_.projects.multivariate(project.entry);
  if (target_mv) {
    const std::size_t length = s_.projects.univariate(series.entry) ? s_.projects.univariate(series.entry)->x.size()
                                                                     : static_cast<std::size_t>(
                                                                           s_.projects.multivariate(series.entry)->n);
    if (std::string why = refusal(*target_mv, length); !why.empty()) {
      s_.port.message(kTitle, why, Buttons::Ok);
      return false;
    }
  }
  if (s_.port.message(kTitle, "Confirm data transfer", Buttons::YesNo) != Button::Yes) return false;
  try {
    SeriesCopy copy = copy_series(s_, series);
    if (UnivariateRecord* u = s_.projects.univariate(project.entry)) {
      std::string name = std::move(copy.name);
      install_series(s_, project.entry, *u, std::move(copy.values));
      u->series_name = std::move(name);
      plot_project_window(s_, project.entry, *u);
    } else {
      add_component(s_, project.entry, *target_mv, std::move(copy));
    }
  } catch (const std::exception& ex) {
    s_.port.message("ZELK Error", ex.what(), Buttons::Ok);
    return false;
  }
  s_.status_changed();
  return true;
}

void ProjectEditor::popup_command(NodeRef node, int command) {
  if (command == cmd::Tile || command == cmd::Cascade) {
    s_.port.frame_command(command);
    return;
  }
  if (command != cmd::TreeActive || !node.is_series() || !exists(node)) return;
  MultivariateRecord* m = s_.projects.multivariate(node.entry);
  if (!m) return;  // a univariate series has no active flag
  m->active.resize(static_cast<std::size_t>(m->m), true);
  const auto j = static_cast<std::size_t>(node.component - 1);
  m->active[j] = !m->active[j];
  s_.refresh_windows(node.entry);
  s_.status_changed();
}

void open_project_editor(Session& s) {
  if (!s.tree_editor) s.tree_editor = std::make_unique<ProjectEditor>(s);
  s.tree_editor->set_open(true);
  s.port.show_tree_editor(*s.tree_editor);
}

}  // namespace zelk
