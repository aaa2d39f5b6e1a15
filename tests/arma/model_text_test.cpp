#include "arma/model_text.h"

#include <gtest/gtest.h>

namespace zelk {
namespace {

std::vector<std::string> text_of(const ArmaModel& m) {
  TextDocument doc;
  write_model_text(doc, m);
  return doc.lines();
}

TEST(ModelTextTest, WhiteNoiseIsOneLine) {
  EXPECT_EQ(text_of(ArmaModel{}), (std::vector<std::string>{"ARMA Model: ", "X(t) =  Z(t)"}));
}

TEST(ModelTextTest, SignsAndContinuationLines) {
  ArmaModel m;
  m.p = 5;
  m.phi = {0.5, -0.25, 0.125, -0.0, 1.5};
  m.q = 2;
  m.theta = {-0.4, 0.3};
  EXPECT_EQ(text_of(m), (std::vector<std::string>{
                            "ARMA Model: ",
                            "X(t) =    0.5000 X(t-1)  - 0.2500 X(t-2)  + 0.1250 X(t-3)  + 0.0000 X(t-4) ",
                            "       + 1.5000 X(t-5) ",
                            "     + Z(t) - 0.4000 Z(t-1)  + 0.3000 Z(t-2) ",
                        }));
}

TEST(ModelTextTest, FractionalAndLongMaPart) {
  ArmaModel m;
  m.fractional = true;
  m.d = 0.25;
  m.q = 5;
  m.theta = {0.1, 0.2, 0.3, 0.4, 250.0};
  EXPECT_EQ(text_of(m), (std::vector<std::string>{
                            "ARMA Model: ",
                            "(1-B)^0.2500 X(t) ",
                            "     =  Z(t) + 0.1000 Z(t-1)  + 0.2000 Z(t-2)  + 0.3000 Z(t-3)  + 0.4000 Z(t-4) ",
                            "      + 0.2500E+03 Z(t-5) ",
                        }));
}

}  // namespace
}  // namespace zelk
