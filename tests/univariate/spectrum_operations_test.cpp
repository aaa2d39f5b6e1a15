// The Spectrum menu end to end: dispatched as the menus do, answered by a
// scripted port, read back from the windows, the messages and Export.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "port/commands.h"
#include "project/univariate_record.h"
#include "support/desk.h"
#include "univariate/windows.h"

namespace zelk {
namespace {

using std::numbers::pi;

class SpectrumMenu : public test::Desk {
 protected:
  // The number after `label` on the INFO line that starts with it.
  static double after(const std::string& text, const std::string& label) {
    const auto at = text.find("\n" + label);
    if (at == std::string::npos) {
      ADD_FAILURE() << "no line " << label << " in\n" << text;
      return NAN;
    }
    return std::stod(text.substr(at + 1 + label.size()));
  }
  std::vector<double> series(std::size_t n) {
    std::vector<double> x(n);
    for (std::size_t t = 0; t < n; ++t) x[t] = std::sin(0.3 * static_cast<double>(t * t % 17)) + 0.01 * t;
    return x;
  }
  void specify_ar1(double phi) {
    dialog("Specify Model", {{"ar_order", "1"}, {"phi", std::to_string(phi)}, {"variance", "1"}});
    app.dispatch(cmd::SpecifyModel);
  }
};

// |sum_t (x(t) - mean) e^{-i t w}|^2 / (2 pi n), term by term.
double direct_periodogram(const std::vector<double>& x, int j) {
  const double n = static_cast<double>(x.size());
  double mean = 0;
  for (double v : x) mean += v;
  mean /= n;
  std::complex<double> sum = 0;
  for (std::size_t t = 0; t < x.size(); ++t)
    sum += (x[t] - mean) * std::polar(1.0, -2 * pi * j * static_cast<double>(t + 1) / n);
  return std::norm(sum) / (2 * pi * n);
}

TEST_F(SpectrumMenu, PeriodogramOfLakeHuronAgreesWithTheDirectSumAndR) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::Periodogram);
  ASSERT_NE(s.desktop.find(1, windows::Spectrum), nullptr);
  const auto& I = rec.results.periodogram;
  ASSERT_EQ(I.size(), 49u);
  // Mod(fft(x - mean(x)))^2 / (2*pi*n) in R 4.2, frequencies 1..5.
  const double r[] = {4.026321027027298882, 0.132157065338531526, 3.691536489031840063, 0.992387006060761578,
                      0.023203873325670747};
  for (int j = 1; j <= 5; ++j) {
    EXPECT_NEAR(I[j - 1], direct_periodogram(rec.x, j), 1e-12 * I[j - 1]) << j;
    EXPECT_NEAR(I[j - 1], r[j - 1], 1e-12 * r[j - 1]) << j;
  }
  // The plotted curve starts at frequency 0 with I(w_1).
  const Pane& pane = s.desktop.find(1, windows::Spectrum)->graph->pane(1);
  ASSERT_EQ(pane.y.size(), 50u);
  EXPECT_EQ(pane.y[0], I[0]);
  EXPECT_NEAR(pane.x[49], pi, 1e-15);
  EXPECT_EQ(pane.title, "Periodogram");

  // Fisher's test, q = 48: g and P from the exact sum in R 4.2,
  // sum((-1)^(j-1) * choose(q,j) * (1-j*g/q)^(q-1)).
  const std::string text = info_of(windows::Spectrum);
  EXPECT_NEAR(after(text, "Ratio of maximum periodogram ordinate to average = "), 14.4078, 1e-4);
  EXPECT_NEAR(after(text, "Probability (under H0) of seeing this or larger = "), 2.48944e-06, 1e-11);
  EXPECT_EQ(after(text, "Number of frequencies in periodogram = "), 49);
  EXPECT_NE(text.find("No smoothing done."), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_TRUE(port.shown().empty());

  dialog("Export to ASCII", {{"Periodogram", "on"}, {"Clipboard", "on"}});
  app.dispatch(cmd::Export);
  ASSERT_TRUE(port.clipboard());
  EXPECT_EQ(port.clipboard()->substr(0, 8), "4.0263\r\n");
}

TEST_F(SpectrumMenu, FrequencyCountsOfTwoHundredAndTwoHundredAndOnePoints) {
  UnivariateRecord& rec = project_with(series(200));
  app.dispatch(cmd::Periodogram);
  std::string text = info_of(windows::Spectrum);
  EXPECT_EQ(after(text, "Number of frequencies in periodogram = "), 100);
  EXPECT_NE(text.find("Fundamental Fourier frequency 2*pi/n = 0.0314159\n"), std::string::npos) << text;
  EXPECT_EQ(rec.results.periodogram.size(), 100u);
  // New data redraw the open window and its INFO.
  install_series(s, 1, rec, series(201));
  text = s.desktop.find_info(1, windows::Spectrum)->text->text();
  EXPECT_EQ(after(text, "Number of frequencies in periodogram = "), 100);
  EXPECT_NE(text.find("Fundamental Fourier frequency 2*pi/n = 0.0312596\n"), std::string::npos) << text;
  EXPECT_EQ(rec.results.periodogram.size(), 100u);
}

TEST_F(SpectrumMenu, TwoDaniellFiltersOfOrderOneSmoothLakeHuron) {
  UnivariateRecord& rec = lake_huron();
  dialog("Spectrum smoothing", {{"Number of Daniell filters:", "2"}, {"Order of filter:", "1"}, {"filters", "2"},
                                {"Order of filter:", "1"}});
  app.dispatch(cmd::SmoothedPeriodogram);
  // (I(8) + 2 I(9) + 3 I(10) + 2 I(11) + I(12)) / 9 from the R periodogram above.
  ASSERT_EQ(rec.results.smoothed_spectrum.size(), 50u);
  EXPECT_NEAR(rec.results.smoothed_spectrum[10], 0.26090194799451855, 1e-12);
  EXPECT_EQ(s.desktop.find(1, windows::Spectrum)->graph->pane(1).title, "Smoothed Periodogram");
  const std::string text = info_of(windows::Spectrum);
  EXPECT_NE(text.find("W[0] = 0.333333\nW[1] = 0.222222\nW[2] = 0.111111\n \nSmooth coefficient sum of squares = 0.234568"),
            std::string::npos)
      << text;

  // Export's estimated spectrum is the smoothed periodogram.
  dialog("Export to ASCII", {{"Est spectrum", "on"}, {"Clipboard", "on"}});
  app.dispatch(cmd::Export);
  ASSERT_TRUE(port.clipboard());
  // One value a line, the last without a line end.
  EXPECT_EQ(std::count(port.clipboard()->begin(), port.clipboard()->end(), '\n'), 49);
}

TEST_F(SpectrumMenu, SmoothingRefusalsAndCancelLeaveTheSpectrumAsItWas) {
  UnivariateRecord& rec = lake_huron();
  dialog("Spectrum smoothing", {{"count", "1"}, {"order", "2"}});
  app.dispatch(cmd::SmoothedPeriodogram);
  const std::vector<double> kept = rec.results.smoothed_spectrum;
  ASSERT_EQ(kept.size(), 50u);

  // 51 filters are refused; then other filters applied and cancelled.
  dialog("Spectrum smoothing", {{"count", "51"}});
  dialog("Spectrum smoothing", {{"count", "3"}, {"order", "4"}}, "Apply");
  dialog("Spectrum smoothing", {}, "Cancel");
  app.dispatch(cmd::SmoothedPeriodogram);
  EXPECT_EQ(port.shown(),
            (std::vector<std::string>{"MESSAGE [ZELK Error] Number of Daniell filters must be from 0 to 50 -> OK"}));
  EXPECT_EQ(rec.results.smoothed_spectrum, kept);
  EXPECT_NE(info_of(windows::Spectrum).find("W[2] = 0.2"), std::string::npos);

  // No filters draws the plain periodogram and exports no estimate.
  dialog("Spectrum smoothing", {{"count", "0"}});
  app.dispatch(cmd::SmoothedPeriodogram);
  EXPECT_EQ(s.desktop.find(1, windows::Spectrum)->graph->pane(1).title, "Periodogram");
  EXPECT_TRUE(rec.results.smoothed_spectrum.empty());
  EXPECT_NE(info_of(windows::Spectrum).find("No smoothing done."), std::string::npos);
}

TEST_F(SpectrumMenu, UnitRootIsSingularOnlyAtZeroWithOneMessage) {
  UnivariateRecord& rec = open_project();
  // The Specify dialog refuses phi = 1; a project file can hold it.
  rec.model.p = 1;
  rec.model.phi[0] = 1.0;
  rec.model.sigma2 = 2.0;
  s.publish(Event::ModelChanged, 1);
  app.dispatch(cmd::ModelSpectrum);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{
                              "MESSAGE [BRAX::ERROR] Singularity in model spectrum, set to 1000000 * WN-Variance -> OK"}));
  const auto& f = rec.results.model_spectrum;
  ASSERT_EQ(f.size(), 1025u);
  EXPECT_EQ(f[0], 2.0e6);
  // sigma2 / (2 pi |1 - e^{i pi}|^2) = 2 / (8 pi) at pi.
  EXPECT_NEAR(f[1024], 1 / (4 * pi), 1e-15);
  for (std::size_t j = 1; j < f.size(); ++j) ASSERT_LT(f[j], 1e6) << j;
}

TEST_F(SpectrumMenu, ModelSpectrumOfAnAr1AndItsResolution) {
  UnivariateRecord& rec = lake_huron();
  specify_ar1(0.5);
  app.dispatch(cmd::ModelAndPeriodogram);
  // 1 / (2 pi |1 - 0.5 e^{i l}|^2) at 0, pi/2 and pi, in R 4.2.
  const auto& f = rec.results.model_spectrum;
  ASSERT_EQ(f.size(), 1025u);
  EXPECT_NEAR(f[0], 0.636619772367581382, 1e-14);
  EXPECT_NEAR(f[512], 0.127323954473516243, 1e-14);
  EXPECT_NEAR(f[1024], 0.070735530263064603, 1e-14);
  const Pane& both = s.desktop.find(1, windows::Spectrum)->graph->pane(1);
  EXPECT_EQ(both.title, "Periodogram / Model Spectrum");
  ASSERT_EQ(both.overlays.size(), 1u);

  // Below 100 is refused and the field returns to 1024; Cancel keeps M.
  dialog("Specify resoultion for model spectrum", {{"points", "50"}});
  dialog("Specify resoultion for model spectrum", {}, "Cancel");
  app.dispatch(cmd::SpectrumResolution);
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ZELK:: Error] Enter integer >= 100 -> OK"}));
  EXPECT_EQ(f.size(), 1025u);
  dialog("Specify resoultion for model spectrum", {{"points", "200"}});
  app.dispatch(cmd::SpectrumResolution);
  EXPECT_EQ(rec.results.model_spectrum.size(), 201u);
  EXPECT_NEAR(rec.results.model_spectrum[100], 0.127323954473516243, 1e-14);
  EXPECT_EQ(s.desktop.find(1, windows::Spectrum)->graph->pane(1).title, "Model Spectrum");
}

TEST_F(SpectrumMenu, LogOfAConstantSeriesReportsItsNullsOnceAndFisherIsUndefined) {
  project_with(std::vector<double>(10, 3.5));
  app.dispatch(cmd::Periodogram);
  EXPECT_FALSE(app.menu_state().checked(cmd::LogSpectrum));
  app.dispatch(cmd::LogSpectrum);
  EXPECT_TRUE(app.menu_state().checked(cmd::LogSpectrum));
  // m = 5 ordinates and the point at 0: one message for the six values.
  EXPECT_EQ(port.shown(),
            (std::vector<std::string>{"MESSAGE [ZELK ERROR] Null in spectrum, setting log to -100 (6 values) -> OK"}));
  const Pane& pane = s.desktop.find(1, windows::Spectrum)->graph->pane(1);
  EXPECT_EQ(pane.title, "Log(Periodogram)");
  for (double y : pane.y) EXPECT_EQ(y, -100.0);

  const std::string text = info_of(windows::Spectrum);
  EXPECT_NE(text.find("Ratio of maximum periodogram ordinate to average = undefined"), std::string::npos) << text;
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(port.shown().size(), 1u);  // the INFO redraw does not repeat it

  dialog("Fisher Spectrum Test", {});
  app.dispatch(cmd::FisherTest);
  EXPECT_TRUE(port.unused().empty());
  app.dispatch(cmd::LogSpectrum);
  EXPECT_FALSE(app.menu_state().checked(cmd::LogSpectrum));
  EXPECT_EQ(s.desktop.find(1, windows::Spectrum)->graph->pane(1).title, "Periodogram");
}

TEST_F(SpectrumMenu, WindowsFollowTheSeriesAndTheModel) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::ModelAndPeriodogram);
  app.dispatch(cmd::CumulativePeriodogram);
  EXPECT_EQ(after(info_of(windows::Spectrum), "Number of frequencies in periodogram = "), 49);
  EXPECT_EQ(after(info_of(windows::CumulativeSpectrum), "Number of frequencies in periodogram = "), 49);

  dialog("Difference the series", {{"Enter lag:", "1"}});
  app.dispatch(cmd::Difference);
  ASSERT_EQ(rec.n(), 97);
  EXPECT_EQ(rec.results.periodogram.size(), 48u);
  EXPECT_EQ(after(s.desktop.find_info(1, windows::Spectrum)->text->text(), "Number of frequencies in periodogram = "), 48);
  EXPECT_EQ(after(s.desktop.find_info(1, windows::CumulativeSpectrum)->text->text(),
                  "Number of frequencies in periodogram = "),
            48);
  EXPECT_EQ(s.desktop.find(1, windows::CumulativeSpectrum)->graph->pane(1).y.size(), 48u);

  specify_ar1(0.5);
  EXPECT_NE(s.desktop.find_info(1, windows::Spectrum)->text->text().find("0.5000 X(t-1)"), std::string::npos)
      << s.desktop.find_info(1, windows::Spectrum)->text->text();
  EXPECT_NEAR(rec.results.model_spectrum[0], 0.636619772367581382, 1e-14);

  // New data keep both windows open, now showing the new series.
  port.queue_file(std::string(ZELK_TEST_DATA) + "/nile.dat");
  app.dispatch(cmd::ImportFile);
  ASSERT_NE(s.desktop.find(1, windows::Spectrum), nullptr);
  ASSERT_NE(s.desktop.find(1, windows::CumulativeSpectrum), nullptr);
  EXPECT_EQ(rec.results.periodogram.size(), static_cast<std::size_t>(rec.n() / 2));
}

TEST_F(SpectrumMenu, CumulativeSpectraAndTheirBounds) {
  UnivariateRecord& rec = lake_huron();
  app.dispatch(cmd::CumulativePeriodogram);
  const Pane* pane = &s.desktop.find(1, windows::CumulativeSpectrum)->graph->pane(1);
  // cumsum(I[1:q]) / sum(I[1:q]) in R 4.2, q = 48.
  ASSERT_EQ(pane->y.size(), 48u);
  EXPECT_NEAR(pane->y[0], 0.30016278928561857, 1e-14);
  EXPECT_NEAR(pane->y[2], 0.58521967246729589, 1e-14);
  EXPECT_EQ(pane->y[47], 1.0);
  EXPECT_NEAR(pane->x[0], 2 * pi / 98, 1e-15);
  EXPECT_TRUE(pane->overlays.empty());

  // White noise of any variance leaves the periodogram's shape: the
  // standardized curve is the same, now with the two pairs of bounds.
  const std::vector<double> plain = pane->y;
  app.dispatch(cmd::CumulativeModelStandardized);
  pane = &s.desktop.find(1, windows::CumulativeSpectrum)->graph->pane(1);
  ASSERT_EQ(pane->y.size(), plain.size());
  for (std::size_t j = 0; j < plain.size(); ++j) EXPECT_NEAR(pane->y[j], plain[j], 1e-14);
  EXPECT_EQ(pane->title, "CDF of Periodogram / Model Spectrum and K-S Bounds ");
  ASSERT_EQ(pane->overlays.size(), 4u);
  // The 5 % upper bound starts at 1.36 / sqrt(q - 1) above 0.
  EXPECT_NEAR(pane->overlays[1].y[0], 1.36 / std::sqrt(47.0), 1e-15);

  specify_ar1(0.5);
  app.dispatch(cmd::CumulativeBoth);
  pane = &s.desktop.find(1, windows::CumulativeSpectrum)->graph->pane(1);
  ASSERT_EQ(pane->overlays.size(), 1u);
  EXPECT_EQ(pane->overlays[0].y.size(), 1025u);
  EXPECT_EQ(pane->overlays[0].y.back(), 1.0);
  EXPECT_NEAR(pane->overlays[0].y[0], rec.results.model_spectrum[0] / [&] {
    double sum = 0;
    for (double v : rec.results.model_spectrum) sum += v;
    return sum;
  }(), 1e-15);
  EXPECT_TRUE(port.shown().empty());
}

TEST_F(SpectrumMenu, NothingWithoutData) {
  UnivariateRecord& rec = open_project();
  for (int id : {cmd::Periodogram, cmd::ModelAndPeriodogram, cmd::SmoothedPeriodogram, cmd::FisherTest,
                 cmd::CumulativePeriodogram})
    app.dispatch(id);
  EXPECT_EQ(s.desktop.find(1, windows::Spectrum), nullptr);
  EXPECT_EQ(s.desktop.find(1, windows::CumulativeSpectrum), nullptr);
  EXPECT_TRUE(port.shown().empty());
  // The model spectrum needs no data.
  app.dispatch(cmd::ModelSpectrum);
  EXPECT_EQ(rec.results.model_spectrum.size(), 1025u);
  EXPECT_NE(info_of(windows::Spectrum).find("Fundamental Fourier frequency 2*pi/n = undefined"), std::string::npos);
}

}  // namespace
}  // namespace zelk
