// "Preliminary Estimation" and " Preliminary estimation" driven through the
// scripted port, as zelk-batch drives them.
#include "arma/preliminary_dialog.h"

#include <gtest/gtest.h>

#include "port/scripted_port.h"

namespace zelk {
namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

// Runs the dialog on settings with one queued answer per entry of answers.
bool run(PreliminarySettings& s, ScriptedPort& port, std::vector<Settings> answers) {
  for (auto& a : answers) port.queue_dialog({"Preliminary Estimation", std::move(a)});
  PreliminaryDialog d(s);
  return port.run_dialog(d);
}

TEST(PreliminaryDialogTest, InitialStateFollowsTheOrders) {
  PreliminarySettings ar;  // p = q = 0: the AR group
  ar.p = 2;
  PreliminaryDialog d(ar);
  EXPECT_TRUE(d.control("yule_walker").checked);
  EXPECT_FALSE(d.control("hannan_rissanen").enabled);
  EXPECT_FALSE(d.control("innovations").enabled);
  EXPECT_FALSE(d.control("acvf_count").enabled);
  EXPECT_EQ(d.control("acvf_count").text, "0");

  PreliminarySettings ma;
  ma.q = 2;
  PreliminaryDialog m(ma);
  EXPECT_FALSE(m.control("yule_walker").enabled);
  EXPECT_FALSE(m.control("burg").enabled);
  EXPECT_FALSE(m.control("min_aicc").enabled);
  EXPECT_TRUE(m.control("innovations").checked);
  EXPECT_TRUE(m.control("acvf_count").enabled);
}

TEST(PreliminaryDialogTest, OrderEditsRefuseAndSwitchGroups) {
  ScriptedPort port;
  PreliminarySettings s;
  s.p = 1;
  PreliminaryDialog d(s);
  d.control("ar_order").text = "28";
  EXPECT_FALSE(d.field_changed("ar_order", port));
  EXPECT_EQ(d.focus(), "ar_order");
  d.control("ma_order").text = "x";
  EXPECT_FALSE(d.field_changed("ma_order", port));
  EXPECT_EQ(port.shown(), (std::vector<std::string>{"MESSAGE [ERROR]  p must be between 0 and 27 -> OK",
                                                    "MESSAGE [ERROR]  q must be between 0 and 27 -> OK"}));
  // p = 0, q >= 1: the MA group, innovations, the count back to 0.
  d.control("acvf_count").text = "25";
  d.control("ar_order").text = "0";
  EXPECT_TRUE(d.field_changed("ar_order", port));
  d.control("ma_order").text = "2";
  EXPECT_TRUE(d.field_changed("ma_order", port));
  EXPECT_FALSE(d.control("yule_walker").enabled);
  EXPECT_TRUE(d.control("innovations").checked);
  EXPECT_EQ(d.control("acvf_count").text, "0");
  // q = 0, p >= 1: back to the AR group with Yule-Walker.
  d.control("ma_order").text = "0";
  d.field_changed("ma_order", port);
  d.control("ar_order").text = "3";
  d.field_changed("ar_order", port);
  EXPECT_TRUE(d.control("yule_walker").enabled);
  EXPECT_TRUE(d.control("yule_walker").checked);
  EXPECT_FALSE(d.control("innovations").enabled);
  EXPECT_FALSE(d.control("innovations").checked);
}

TEST(PreliminaryDialogTest, MethodChecksInteract) {
  ScriptedPort port;
  PreliminarySettings s;
  s.p = 1;
  s.q = 1;
  s.method = PreliminaryMethod::Innovations;
  PreliminaryDialog d(s);
  EXPECT_TRUE(d.control("acvf_count").enabled);
  d.control("min_aicc").checked = true;
  d.field_changed("min_aicc", port);
  EXPECT_TRUE(d.control("yule_walker").checked);
  EXPECT_FALSE(d.control("innovations").checked);
  EXPECT_FALSE(d.control("acvf_count").enabled);
  d.control("hannan_rissanen").checked = true;
  d.field_changed("hannan_rissanen", port);
  EXPECT_FALSE(d.control("min_aicc").checked);
  EXPECT_FALSE(d.control("acvf_count").enabled);
}

TEST(PreliminaryDialogTest, OkRefusalsAndTheMethodCode) {
  ScriptedPort port;
  PreliminarySettings s;
  // p = q = 0 without the search: refused, then fixed by checking the box.
  EXPECT_TRUE(run(s, port, {{}, {{"min_aicc", "on"}, {"burg", "on"}}}));
  EXPECT_EQ(port.shown().front(), "MESSAGE [ERROR]  p and q must be between 0 and 27 -> OK");
  EXPECT_EQ(s.method, PreliminaryMethod::BurgAicc);

  port.clear_shown();
  PreliminarySettings ar;
  ar.p = 2;
  EXPECT_TRUE(run(ar, port, {{{"yule_walker", "off"}}, {{"burg", "on"}}}));
  EXPECT_EQ(port.shown().front(), "MESSAGE [ERROR]  q=0 select an AR method box -> OK");
  EXPECT_EQ(ar.method, PreliminaryMethod::Burg);

  port.clear_shown();
  PreliminarySettings arma;
  arma.p = 1;  // AR group selected, then q set: no ARMA method yet
  EXPECT_TRUE(run(arma, port, {{{"ma_order", "1"}}, {{"hannan_rissanen", "on"}}}));
  EXPECT_EQ(port.shown().front(), "MESSAGE [ERROR]  Select an ARMA method box -> OK");
  EXPECT_EQ(arma.method, PreliminaryMethod::HannanRissanen);
  EXPECT_EQ(arma.q, 1);

  PreliminarySettings inn;
  inn.p = 1;
  inn.q = 1;
  inn.method = PreliminaryMethod::Innovations;
  EXPECT_TRUE(run(inn, port, {{{"acvf_count", "30"}, {"yule_walker", "on"}}}));
  EXPECT_EQ(inn.method, PreliminaryMethod::Innovations);  // innovations outranks Yule-Walker
  EXPECT_EQ(inn.acvf_entry, 30);

  PreliminarySettings yw;
  yw.p = 4;
  EXPECT_TRUE(run(yw, port, {{{"min_aicc", "on"}}}));
  EXPECT_EQ(yw.method, PreliminaryMethod::YuleWalkerAicc);
  EXPECT_EQ(yw.p, 4);
}

TEST(PreliminaryDialogTest, CancelLeavesTheSettings) {
  ScriptedPort port;
  PreliminarySettings s;
  s.p = 2;
  port.queue_dialog({"Preliminary Estimation", {{"ar_order", "5"}}, "Cancel"});
  PreliminaryDialog d(s);
  EXPECT_FALSE(port.run_dialog(d));
  EXPECT_EQ(s.p, 2);
}

TEST(PreliminaryDialogTest, NonCausalQuestionButtons) {
  ScriptedPort port;
  PreliminaryContinueDialog d;
  EXPECT_EQ(d.title(), " Preliminary estimation");
  EXPECT_EQ(d.control("text").text, "Model noncausal--all coeffs have been set to .001");
  port.queue_dialog({" Preliminary estimation", {}, "Try another model/method"});
  EXPECT_FALSE(port.run_dialog(d));
  port.queue_dialog({" Preliminary estimation", {}, "Continue"});
  EXPECT_TRUE(port.run_dialog(d));
}

}  // namespace
}  // namespace zelk
