#pragma once
// Step functions: how a count of steps turns into a value, and the collection
// that holds the one a slide up-down control uses.
#include <cstdint>
#include <memory>

namespace tessora {

enum class TFunctionKind : std::uint8_t { fkLinear = 0, fkExponential = 1 };

// The base function: every operation answers 0. Values are 80-bit extended
// numbers; inputs outside a function's domain give 0, never an error.
class TSUDFunction {
 public:
  TSUDFunction() = default;
  TSUDFunction(const TSUDFunction&) = delete;
  TSUDFunction& operator=(const TSUDFunction&) = delete;
  virtual ~TSUDFunction() = default;

  // A new object of this object's class, with the class's starting Rate.
  virtual std::unique_ptr<TSUDFunction> Create() const;
  // The value reached after x steps counted from the origin.
  virtual long double Evaluate(long double x) const;
  // The number of steps from the origin to the value y.
  virtual long double Inverse(long double y) const;
  // The Rate under which moving position by quantity steps changes it by increment.
  virtual long double RateFromIncrement(long double position, long double quantity,
                                        long double increment) const;

  void Assign(const TSUDFunction& source) { rate_ = source.rate_; }
  long double Rate() const { return rate_; }
  void SetRate(long double rate) { rate_ = rate; }

 protected:
  explicit TSUDFunction(long double rate) : rate_(rate) {}

 private:
  long double rate_ = 0;
};

// Each step adds Rate.
class TSUDLinear : public TSUDFunction {
 public:
  TSUDLinear() : TSUDFunction(1) {}
  std::unique_ptr<TSUDFunction> Create() const override;
  long double Evaluate(long double x) const override;
  long double Inverse(long double y) const override;
  long double RateFromIncrement(long double position, long double quantity,
                                long double increment) const override;
};

// Each step multiplies by Rate.
class TSUDExponential : public TSUDFunction {
 public:
  TSUDExponential() : TSUDFunction(2) {}
  std::unique_ptr<TSUDFunction> Create() const override;
  long double Evaluate(long double x) const override;
  long double Inverse(long double y) const override;
  long double RateFromIncrement(long double position, long double quantity,
                                long double increment) const override;
};

// A new function of the class for kind; an unknown kind gets the base class.
std::unique_ptr<TSUDFunction> CreateStepFunction(TFunctionKind kind);

// Holds the current step function and forwards to it.
class TSUDFunctions {
 public:
  TSUDFunctions();
  TSUDFunctions(const TSUDFunctions&) = delete;
  TSUDFunctions& operator=(const TSUDFunctions&) = delete;

  TFunctionKind Kind() const { return kind_; }
  // Always replaces the function object, also for the current kind; the Rate carries over.
  void SetKind(TFunctionKind kind);
  long double Rate() const { return function_->Rate(); }
  void SetRate(long double rate) { function_->SetRate(rate); }
  const TSUDFunction& Function() const { return *function_; }

  void Assign(const TSUDFunctions& source);

  long double Evaluate(long double x) const { return function_->Evaluate(x); }
  long double Inverse(long double y) const { return function_->Inverse(y); }
  long double RateFromIncrement(long double position, long double quantity,
                                long double increment) const {
    return function_->RateFromIncrement(position, quantity, increment);
  }
  // The value reached by moving value by steps steps.
  long double Move(long double value, long double steps) const {
    return Evaluate(Inverse(value) + steps);
  }

 private:
  TFunctionKind kind_ = TFunctionKind::fkLinear;
  std::unique_ptr<TSUDFunction> function_;
};

}  // namespace tessora
