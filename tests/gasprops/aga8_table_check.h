#pragma once
// Compares the tables of a method built on the AGA8-92DC equation with the
// verified JSON they were taken from. Every number must be equal exactly: the
// tables were written with the shortest decimal form of each double.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "gasprops/aga8_detail_eos.h"
#include "json_reader.h"

namespace velmar::testing {

inline void expectModelMatchesJson(const aga8::Model& model, const Json& data) {
  EXPECT_EQ(model.R, data["R"].number());

  const auto& components = data["components"].array();
  ASSERT_EQ(model.components.size(), components.size());
  ASSERT_EQ(model.heatCapacity.size(), components.size());
  using C = aga8::Component;
  using H = aga8::HeatCapacity;
  const std::pair<const char*, double C::*> componentFields[] = {
      {"M", &C::M}, {"E", &C::E}, {"K", &C::K}, {"G", &C::G},
      {"Q", &C::Q}, {"F", &C::F}, {"S", &C::S}, {"W", &C::W}};
  const std::pair<const char*, double H::*> heatFields[] = {
      {"B", &H::B}, {"C", &H::C}, {"D", &H::D}, {"E", &H::E}, {"F", &H::F},
      {"G", &H::G}, {"H", &H::H}, {"I", &H::I}, {"J", &H::J}};
  for (std::size_t i = 0; i < components.size(); ++i) {
    const Json& c = components[i];
    const std::string name = c["name"].string();
    EXPECT_EQ(c["index"].number(), static_cast<double>(i)) << name;
    for (const auto& [key, field] : componentFields)
      EXPECT_EQ(model.components[i].*field, c[key].number()) << name << " " << key;
    for (const auto& [key, field] : heatFields)
      EXPECT_EQ(model.heatCapacity[i].*field, c["cp0"][key].number()) << name << " cp0 " << key;
  }

  const Json& co = data["coefficients"];
  ASSERT_EQ(co["a"].size(), aga8::kTermCount);
  using T = aga8::Term;
  const std::pair<const char*, int T::*> flags[] = {
      {"b", &T::b}, {"c", &T::c}, {"k", &T::k}, {"g", &T::g},
      {"q", &T::q}, {"f", &T::f}, {"s", &T::s}, {"w", &T::w}};
  for (std::size_t t = 0; t < aga8::kTermCount; ++t) {
    const aga8::Term& term = model.terms[t];
    EXPECT_EQ(co["n"][t].number(), static_cast<double>(t + 1));
    EXPECT_EQ(term.a, co["a"][t].number()) << "term " << t + 1;
    EXPECT_EQ(term.u, co["u"][t].number()) << "term " << t + 1;
    for (const auto& [key, field] : flags)
      EXPECT_EQ(term.*field, co[key][t].number()) << "term " << t + 1 << " " << key;
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
