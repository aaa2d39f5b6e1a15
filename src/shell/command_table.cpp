#include "shell/command_table.h"

#include <algorithm>
#include <cctype>

#include "plot/format.h"
#include "shell/dialog.h"

namespace zelk {

const std::vector<Command>& command_table() {
  using S = CommandScope;
  static const std::vector<Command> table{
      {40091, "&New", S::Any},
      {40095, "&Open", S::Any},
      {40096, "&Save", S::NeedsProject},
      {40097, "Save &As", S::NeedsProject},
      {40069, "&Close ", S::NeedsProject},
      {40073, "&Rename", S::NeedsProject},
      {40068, "&Minimize ", S::NeedsProject},
      {40070, "&Restore", S::NeedsProject},
      {40151, "Project Editor", S::NeedsProject},
      {40098, "&Import File", S::NeedsProject},
      {40152, "Im&port Clipboard", S::NeedsProject},
      {40006, "&Export", S::NeedsProject},
      {40005, "&Print", S::Target},
      {40008, "E&xit", S::Any},
      {40044, "&Difference", S::Univariate},
      {40056, "&Box - Cox", S::Univariate},
      {40066, "&Classical", S::Univariate},
      {40061, "&Subtract Mean", S::Univariate},
      {40067, "Subse&quence", S::Univariate},
      {40055, "&Undo ", S::Univariate},
      {40115, "S&how Classical Fit", S::Univariate},
      {40045, "&Specify", S::Univariate},
      {40078, "&Preliminary", S::Univariate},
      {40079, "&Max likelihood", S::Univariate},
      {40087, "S&imulate", S::Univariate},
      {40090, "&AR/MA Infinity", S::Univariate},
      {40105, "S&witch to invertible", S::Univariate},
      {40047, "&Sample", S::Univariate},
      {40048, "&Model", S::Univariate},
      {40049, "&Sample / Model", S::Univariate},
      {40050, "Specify &Lag", S::Univariate},
      {40064, "&Default", S::Univariate},
      {40065, "&Set Bin Count", S::Univariate},
      {40082, "&Plot", S::Univariate},
      {40083, "&Default", S::Univariate},
      {40186, "&Set bin count", S::Univariate},
      {40084, "&ACF/PACF", S::Univariate},
      {40085, "&Tests of Randomness", S::Univariate},
      {40086, "&ARMA", S::Univariate},
      {40118, "A&RAR", S::Univariate},
      {40119, "&Holt-Winters", S::Univariate},
      {40120, "&Seasonal Holt-Winters", S::Univariate},
      {40122, "&Exponential ", S::Univariate},
      {40123, "&FFT", S::Univariate},
      {40124, "&Moving Ave.", S::Univariate},
      {40051, "&Periodogram", S::Univariate},
      {40052, "&Default", S::Univariate},
      {40191, "&Specify plot resolution", S::Univariate},
      {40053, "Model &and Periodogram", S::Univariate},
      {40127, "&Smoothed Periodogram", S::Univariate},
      {40128, "&Log Spectrum", S::Univariate},
      {40129, "&Fisher Test", S::Univariate},
      {40131, "&Model", S::Univariate},
      {40132, "&Periodogram", S::Univariate},
      {40133, "&Both", S::Univariate},
      {40192, "M&odel Standardized", S::Univariate},
      {40153, "&Specify", S::Univariate},
      {40156, "&Least Squares", S::Univariate},
      {40157, "&Generalized LS", S::Univariate},
      {40158, "&Remove ", S::Univariate},
      {40159, "S&how fit", S::Univariate},
      {40147, "&Difference", S::Multivariate},
      {40149, "&Subtract Means", S::Multivariate},
      {40150, "&Trim", S::Multivariate},
      {40148, "&Undo ", S::Multivariate},
      {40140, "&Burg", S::Multivariate},
      {40141, "&Yule-Walker", S::Multivariate},
      {40142, "&Prediction", S::Multivariate},
      {40138, "S&imulate", S::Multivariate},
      {40139, "&Cross-ACF", S::Any},
      {40182, "&Plot Residuals", S::Multivariate},
      {40183, "Plot &Cross-Correlations", S::Multivariate},
      {40169, "S&pecify model", S::Multivariate},
      {40170, "&Estimation", S::Multivariate},
      {40172, "&Prediction", S::Multivariate},
      {40184, "&Plot Residuals", S::Multivariate},
      {40189, "Plot &ACF", S::Multivariate},
      {40166, "&Sample", S::Multivariate},
      {40187, "S&pecify lag", S::Multivariate},
      {40167, "&Cross-spectrum", S::Multivariate},
      {40171, "S&mooth spectrum", S::Multivariate},
      {40025, "&Range", S::Any},
      {40027, "Re&gion", S::Any},
      {40026, "&Out", S::Target},
      {40043, "Manual", S::Target},
      {40042, "&Info", S::Target},
      {40011, "&Copy to Clipboard", S::Target},
      {40117, "Customize Co&lors", S::Target},
      {40041, "&Duplicate", S::Target},
      {40074, "&Tile", S::Any},
      {40075, "&Cascade", S::Any},
      {40072, "Close &All", S::Any},
      {40013, "&Contents", S::Any},
      {40015, "&Help on Help", S::Any},
      {40016, "&About", S::Any},
      {40161, "&Close", S::Popup},
      {40162, "&Active", S::Popup},
      {40163, "&Save", S::Popup},
      {40165, "&New Project", S::Popup},
  };
  return table;
}

const Command* find_command(int id) {
  for (const Command& c : command_table())
    if (c.id == id) return &c;
  return nullptr;
}

namespace {

MenuItem cmd(int id, const char* text = nullptr) {
  MenuItem m;
  m.id = id;
  m.text = text ? text : find_command(id)->text;
  return m;
}
MenuItem sep() {
  MenuItem m;
  m.separator = true;
  return m;
}
MenuItem sub(const char* text, std::vector<MenuItem> items) {
  MenuItem m;
  m.text = text;
  m.items = std::move(items);
  return m;
}

std::vector<MenuItem> file_menu(MenuKind kind) {
  const bool uni = kind == MenuKind::Univariate;
  return {cmd(40091), cmd(40095), cmd(40096), cmd(40097), cmd(40069), sep(),
          cmd(40073), cmd(40068), cmd(40070), cmd(40151), sep(),
          cmd(40098, uni ? "&Import File" : "&Import"),
          cmd(40152, uni ? "Im&port Clipboard" : "Import &Clipboard"),
          cmd(40006), sep(), cmd(40005), sep(), cmd(40072), cmd(40008)};
}

MenuItem plot_menu() {
  return sub("&Plot", {sub("&Zoom", {cmd(40025), cmd(40027), cmd(40026), cmd(40043)}), cmd(40042), cmd(40041),
                       cmd(40011), cmd(40117)});
}
MenuItem window_menu() { return sub("&Window", {cmd(40074), cmd(40075)}); }
MenuItem help_menu() { return sub("&Help", {cmd(40013), cmd(40015), sep(), cmd(40016)}); }

std::vector<MenuItem> univariate_menu() {
  return {
      sub("&File", file_menu(MenuKind::Univariate)),
      sub("&Transform", {cmd(40056), cmd(40066), cmd(40044), cmd(40061), cmd(40067), sep(), cmd(40055), sep(),
                         cmd(40115)}),
      sub("&Model", {cmd(40045), sub("&Estimation", {cmd(40078), cmd(40079)}), sep(), cmd(40087), cmd(40090),
                     cmd(40105)}),
      sub("&Regression", {cmd(40153), cmd(40156), cmd(40157), sep(), cmd(40158), cmd(40159)}),
      sub("St&atistics",
          {sub("&ACF/PACF", {cmd(40047), cmd(40048), cmd(40049), sep(), cmd(40050)}),
           sub("&Histogram", {cmd(40064), cmd(40065)}),
           sub("&Residual Analysis", {cmd(40082), cmd(40084), sub("&Histogram", {cmd(40083), cmd(40186)}),
                                      cmd(40085)})}),
      sub("F&orecasting", {cmd(40086), cmd(40118), cmd(40119), cmd(40120)}),
      sub("&Smooth", {cmd(40122), cmd(40123), cmd(40124)}),
      // Positions matter: update menus greys 1-3, 7 and 8 without data.
      sub("Sp&ectrum", {cmd(40051), cmd(40053), cmd(40127), cmd(40129), sub("&Model", {cmd(40052), cmd(40191)}),
                        sep(), cmd(40128), sep(),
                        sub("&Cumulative Spectrum", {cmd(40132), cmd(40131), cmd(40133), cmd(40192)})}),
      plot_menu(),
      window_menu(),
      help_menu(),
  };
}

std::vector<MenuItem> multivariate_menu() {
  return {
      sub("&File", file_menu(MenuKind::Multivariate)),
      sub("&Transform", {cmd(40147), cmd(40149), cmd(40150), sep(), cmd(40148)}),
      sub("&AR-Model", {cmd(40141), cmd(40140), cmd(40142), sep(), cmd(40138), sep(), cmd(40182), cmd(40183)}),
      sub("T&ransfer", {cmd(40169), cmd(40170), cmd(40172), sep(), cmd(40184), cmd(40189)}),
      sub("&Statistics", {sub("Cross-&correlation", {cmd(40166), cmd(40187)}), cmd(40167), cmd(40171), sep(),
                          cmd(40139)}),
      sub("F&orecasting", {cmd(40142, "&AR Model"), cmd(40172, "&Transfer-function")}),
      plot_menu(),
      window_menu(),
      help_menu(),
  };
}

bool same_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// Visits every command with the plain texts of the popups above it.
template <class F>
void walk(const std::vector<MenuItem>& items, const std::string& path, F&& f) {
  for (const MenuItem& m : items) {
    if (m.separator) continue;
    const std::string here = path.empty() ? plain_text(m.text) : path + "/" + plain_text(m.text);
    if (m.is_submenu())
      walk(m.items, here, f);
    else
      f(m, here);
  }
}

}  // namespace

const std::vector<MenuItem>& menu_bar(MenuKind kind) {
  static const std::vector<MenuItem> uni = univariate_menu();
  static const std::vector<MenuItem> multi = multivariate_menu();
  return kind == MenuKind::Multivariate ? multi : uni;
}

const std::vector<MenuItem>& right_menus() {
  static const std::vector<MenuItem> popups{
      sub("Tree ZELK Right-Click", {cmd(40165), sep(), cmd(40074), cmd(40075)}),
      sub("Tree Project Right-Click", {cmd(40163), cmd(40161), sep(), cmd(40074), cmd(40075)}),
      sub("Tree Series Right-Click", {cmd(40162)}),
      plot_menu(),
  };
  return popups;
}

const MenuItem* right_menu(std::string_view name) {
  for (const MenuItem& m : right_menus())
    if (same_text(m.text, name) || same_text(plain_text(m.text), name)) return &m;
  return nullptr;
}

int window_menu_position(MenuKind kind) { return kind == MenuKind::Multivariate ? 7 : 9; }

std::string plain_text(std::string_view menu_text) {
  std::string out;
  for (char c : menu_text)
    if (c != '&') out += c;
  return trim(out);
}

const MenuItem* item_at(const std::vector<MenuItem>& bar, const std::vector<int>& path) {
  const std::vector<MenuItem>* level = &bar;
  const MenuItem* item = nullptr;
  for (int pos : path) {
    if (pos < 0 || pos >= static_cast<int>(level->size())) return nullptr;
    item = &(*level)[pos];
    level = &item->items;
  }
  return item;
}

std::vector<int> find_commands_by_text(std::string_view name, MenuKind preferred) {
  const std::string want = plain_text(name);
  auto search = [&](const std::vector<MenuItem>& bar) {
    std::vector<int> ids;
    walk(bar, "", [&](const MenuItem& m, const std::string& path) {
      const bool hit = same_nocase(plain_text(m.text), want) || same_nocase(path, want) ||
                       (path.size() > want.size() && path[path.size() - want.size() - 1] == '/' &&
                        same_nocase(std::string_view(path).substr(path.size() - want.size()), want));
      if (hit && std::find(ids.begin(), ids.end(), m.id) == ids.end()) ids.push_back(m.id);
    });
    return ids;
  };
  const MenuKind other = preferred == MenuKind::Univariate ? MenuKind::Multivariate : MenuKind::Univariate;
  std::vector<int> ids = search(menu_bar(preferred));
  if (ids.empty()) ids = search(menu_bar(other));
  if (ids.empty()) ids = search(right_menus());
  return ids;
}

std::string menu_path(int id, MenuKind kind) {
  std::string found;
  walk(menu_bar(kind), "", [&](const MenuItem& m, const std::string& path) {
    if (found.empty() && m.id == id) found = path;
  });
  return found;
}

}  // namespace zelk
