#pragma once
// The Spectrum menu: what the spectrum and cumulative-spectrum windows show,
// the state a project keeps for them, and their commands.
#include <memory>
#include <vector>

#include "port/dialog.h"
#include "univariate/spectrum.h"
#include "univariate/spectrum_dialogs.h"

namespace zelk {

struct Session;
struct UnivariateRecord;

enum class CumulativeMode : int { Periodogram = 1, Model = 2, Both = 4, ModelStandardized = 16 };

// What the user chose for the spectrum windows; survives new data.
struct SpectrumView {
  bool periodogram = false;  // the periodogram (or its smoothed version) is drawn
  bool model = false;        // the model spectrum is drawn
  bool smoothed = false;     // the periodogram is drawn smoothed
  bool log = false;
  CumulativeMode cumulative = CumulativeMode::Periodogram;
  SmoothingSettings smoothing;
  ResolutionSettings resolution;
};

// What the series and the model determine. The periodogram, smoothed
// periodogram and model spectrum themselves live in the record's results,
// where Export reads them.
struct SpectrumResults {
  bool data_done = false;   // periodogram and Fisher's test of the current series
  bool model_done = false;  // model spectrum of the current model
  int model_points = 0;     // M of the stored model spectrum
  FisherTest fisher;
  std::vector<double> weights;  // W(0..L) behind the smoothed periodogram
  // The periodogram standardized by the model, for the cumulative window.
  bool standardized_done = false;
  std::vector<double> standardized;
  // Each message is shown once per computation, however often it is drawn.
  bool log_reported = false;
};

// The model spectrum's view of the record's ARMA model.
SpectrumModel spectrum_model(const UnivariateRecord& rec);
// Computes what a change of series, model or resolution left missing: the
// periodogram with Fisher's test, the model spectrum, and the smoothed
// periodogram while it is shown. A singular model spectrum is reported once.
void compute_spectra(Session& s, UnivariateRecord& rec);

// Commands.
void show_periodogram(Session& s, int entry, UnivariateRecord& rec);
void show_model_spectrum(Session& s, int entry, UnivariateRecord& rec);
void specify_spectrum_resolution(Session& s, int entry, UnivariateRecord& rec);
void show_model_and_periodogram(Session& s, int entry, UnivariateRecord& rec);
void smooth_periodogram(Session& s, int entry, UnivariateRecord& rec);
void toggle_log_spectrum(Session& s, int entry, UnivariateRecord& rec);
void fisher_test_command(Session& s, int entry, UnivariateRecord& rec);
void show_cumulative_spectrum(Session& s, int entry, UnivariateRecord& rec, CumulativeMode mode);

// Windows: recompute what is missing and redraw; the INFO texts.
void draw_spectrum_window(Session& s, int entry, UnivariateRecord& rec);
void write_spectrum_info(Session& s, int entry, UnivariateRecord& rec);
void draw_cumulative_window(Session& s, int entry, UnivariateRecord& rec);
void write_cumulative_info(Session& s, int entry, UnivariateRecord& rec);

// What a change of series or of model makes stale.
void forget_series_spectra(UnivariateRecord& rec);
void forget_model_spectra(UnivariateRecord& rec);

std::unique_ptr<Dialog> make_smoothing_dialog();
std::unique_ptr<Dialog> make_resolution_dialog();
std::unique_ptr<Dialog> make_fisher_dialog();

}  // namespace zelk
