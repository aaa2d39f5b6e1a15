#pragma once
#include <string>

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
