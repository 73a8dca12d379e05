#include "controls/StepFunction.h"

#include <cmath>

namespace tessora {

std::unique_ptr<TSUDFunction> TSUDFunction::Create() const {
  return std::make_unique<TSUDFunction>();
}
long double TSUDFunction::Evaluate(long double) const { return 0; }
long double TSUDFunction::Inverse(long double) const { return 0; }
long double TSUDFunction::RateFromIncrement(long double, long double, long double) const {
  return 0;
}

std::unique_ptr<TSUDFunction> TSUDLinear::Create() const {
  return std::make_unique<TSUDLinear>();
}
long double TSUDLinear::Evaluate(long double x) const { return x * Rate(); }
long double TSUDLinear::Inverse(long double y) const {
  return Rate() == 0 ? 0 : y / Rate();
}
long double TSUDLinear::RateFromIncrement(long double, long double quantity,
                                          long double increment) const {
  return quantity == 0 ? 0 : increment / quantity;
}

std::unique_ptr<TSUDFunction> TSUDExponential::Create() const {
  return std::make_unique<TSUDExponential>();
}
long double TSUDExponential::Evaluate(long double x) const {
  return Rate() > 0 ? std::exp(x * std::log(Rate())) : 0;
}
long double TSUDExponential::Inverse(long double y) const {
  if (y > 0 && Rate() > 0 && Rate() != 1) return std::log(y) / std::log(Rate());
  return 0;
}
long double TSUDExponential::RateFromIncrement(long double position, long double quantity,
                                               long double increment) const {
  if (increment > -position && position > 0 && quantity != 0)
    return std::exp(std::log((position + increment) / position) / quantity);
  return 0;
}

std::unique_ptr<TSUDFunction> CreateStepFunction(TFunctionKind kind) {
  switch (kind) {
    case TFunctionKind::fkLinear:
      return std::make_unique<TSUDLinear>();
    case TFunctionKind::fkExponential:
      return std::make_unique<TSUDExponential>();
  }
  return std::make_unique<TSUDFunction>();
}

TSUDFunctions::TSUDFunctions() : function_(std::make_unique<TSUDLinear>()) {}

void TSUDFunctions::SetKind(TFunctionKind kind) {
  kind_ = kind;
  auto next = CreateStepFunction(kind);
  if (function_) next->Assign(*function_);
  function_ = std::move(next);
}

void TSUDFunctions::Assign(const TSUDFunctions& source) {
  if (&source == this) return;
  SetKind(source.Kind());
  SetRate(source.Rate());
}

}  // namespace tessora
