#pragma once
// A result window as the core sees it: its kind, caption, owning project and
// the document it shows. Front ends mirror these; they never own the data.
#include <memory>
#include <string>

#include "plot/document.h"

namespace zelk {

enum class WindowKind : int { Graph = 1101, Info = 1102, DupGraph = 1103, DupInfo = 1104 };

// Result slots of a univariate project; each graph slot may have an INFO window.
enum class Slot : int {
  None = -1,
  Project = 0,
  Acf,
  Histogram,
  Spectrum,
  CumulativeSpectrum,
  ClassicalFit,
  RegressionFit,
  ArmaForecast,
  ArarForecast,
  HoltWinters,
  SeasonalHoltWinters,
  ExpSmooth,
  FftSmooth,
  MaSmooth,
  Residuals,
  ResidualAcf,
  ResidualHistogram,
  // text-only report windows
  TestsOfRandomness,
  Preliminary,
  MlEstimates,
  RegressionEstimates,
  ArmaInfinity,
  Count
};

struct SlotPrefixes {
  const char* graph;  // caption prefix of the graph (or text-only report)
  const char* info;   // caption prefix of its INFO window
  bool text_only;
};
const SlotPrefixes& slot_prefixes(Slot slot);

class Window {
 public:
  int id = 0;
  WindowKind kind = WindowKind::Graph;
  int project = 0;   // owning project entry, 0 for none
  Slot slot = Slot::None;
  std::string caption;
  bool minimized = false;
  std::shared_ptr<GraphDocument> graph;  // Graph, DupGraph
  std::shared_ptr<TextDocument> text;    // Info, DupInfo, text-only reports
  int info = 0;    // a graph's INFO window id
  int source = 0;  // an INFO window's graph; a duplicate's source

  bool is_graph() const { return kind == WindowKind::Graph || kind == WindowKind::DupGraph; }
};

}  // namespace zelk
