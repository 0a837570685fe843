#pragma once
// Compares the tables of a method built on the AGA8-92DC equation with the
// verified JSON they were taken from. Every number must be equal exactly: the
// tables were written with the shortest decimal form of each double.
#include <gtest/gtest.h>

#include <string>

#include "gasprops/aga8_detail_eos.h"
#include "json_reader.h"

namespace velmar::testing {

inline void expectModelMatchesJson(const aga8::Model& model, const Json& data) {
  EXPECT_EQ(model.R, data["R"].number());

  const auto& components = data["components"].array();
  ASSERT_EQ(model.components.size(), components.size());
  ASSERT_EQ(model.heatCapacity.size(), components.size());
  for (std::size_t i = 0; i < components.size(); ++i) {
    const Json& c = components[i];
    const std::string name = c["name"].string();
    EXPECT_EQ(c["index"].number(), static_cast<double>(i)) << name;
    const aga8::Component& m = model.components[i];
    EXPECT_EQ(m.M, c["M"].number()) << name;
    EXPECT_EQ(m.E, c["E"].number()) << name;
    EXPECT_EQ(m.K, c["K"].number()) << name;
    EXPECT_EQ(m.G, c["G"].number()) << name;
    EXPECT_EQ(m.Q, c["Q"].number()) << name;
    EXPECT_EQ(m.F, c["F"].number()) << name;
    EXPECT_EQ(m.S, c["S"].number()) << name;
    EXPECT_EQ(m.W, c["W"].number()) << name;
    const Json& cp = c["cp0"];
    const aga8::HeatCapacity& h = model.heatCapacity[i];
    EXPECT_EQ(h.B, cp["B"].number()) << name;
    EXPECT_EQ(h.C, cp["C"].number()) << name;
    EXPECT_EQ(h.D, cp["D"].number()) << name;
    EXPECT_EQ(h.E, cp["E"].number()) << name;
    EXPECT_EQ(h.F, cp["F"].number()) << name;
    EXPECT_EQ(h.G, cp["G"].number()) << name;
    EXPECT_EQ(h.H, cp["H"].number()) << name;
    EXPECT_EQ(h.I, cp["I"].number()) << name;
    EXPECT_EQ(h.J, cp["J"].number()) << name;
  }

  const Json& co = data["coefficients"];
  ASSERT_EQ(co["a"].size(), aga8::kTermCount);
  for (std::size_t t = 0; t < aga8::kTermCount; ++t) {
    const aga8::Term& term = model.terms[t];
    EXPECT_EQ(co["n"][t].number(), static_cast<double>(t + 1));
    EXPECT_EQ(term.a, co["a"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.b, co["b"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.c, co["c"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.k, co["k"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.u, co["u"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.g, co["g"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.q, co["q"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.f, co["f"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.s, co["s"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.w, co["w"][t].number()) << "term " << t + 1;
  }

  const std::size_t n = components.size();
  const Json& binary = data["binary"];
  ASSERT_EQ(model.binary.size(), n * n);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      const aga8::BinaryParameters& b = model.binary[i * n + j];
      EXPECT_EQ(b.E, binary["Eij"][i][j].number()) << i << "," << j;
      EXPECT_EQ(b.U, binary["Uij"][i][j].number()) << i << "," << j;
      EXPECT_EQ(b.K, binary["Kij"][i][j].number()) << i << "," << j;
      EXPECT_EQ(b.G, binary["Gij"][i][j].number()) << i << "," << j;
    }
  }
}

}  // namespace velmar::testing
