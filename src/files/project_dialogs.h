#pragma once
#include <functional>
#include <string>
#include <utility>

#include "port/dialog.h"

namespace zelk {

class CreateProjectDialog : public Dialog {
 public:
  CreateProjectDialog() : Dialog("Create New Project ") {
    add(ControlKind::Group, "type", "Project type");
    add(ControlKind::Radio, "univariate", "Univariate", "type").checked = true;
    add(ControlKind::Radio, "multivariate", "Multivariate", "type");
  }
  bool multivariate() const { return control("multivariate").checked; }
};

class RenameProjectDialog : public Dialog {
 public:
  explicit RenameProjectDialog(const std::string& name) : Dialog("Name Brax Project") {
    add(ControlKind::Edit, "name", "Project name:").text = name;
  }
  std::string name() const { return control("name").text.substr(0, 256); }
};

}  // namespace zelk

namespace zelk {

// "Read Multivariate Data  ": the column count, with the first time points
// of the first and last column as read with that count.
class MultivariateDataDialog : public Dialog {
 public:
  using Preview = std::function<std::pair<std::string, std::string>(int columns)>;
  explicit MultivariateDataDialog(Preview preview);
  bool field_changed(std::string_view key, UiPort& port) override;
  bool accept(UiPort& port) override;
  int columns() const { return columns_; }

 private:
  bool check(UiPort& port);
  Preview preview_;
  int columns_ = 2;
};

}  // namespace zelk
