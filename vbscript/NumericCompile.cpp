// Flattening arithmetic into NumericCode steps.
#include "vbscript/NumericCode.h"
#include "vbscript/Operators.h"

namespace vks::vbscript {

void NumericCodeDelete::operator()(NumericCode* code) const {
  delete code;
}

namespace {

// A literal or a bound variable, which a step reads in place; false for anything else.
bool LeafSource(const Expr& e, NumericSource& out) {
  if (e.kind == ExprKind::Paren) return LeafSource(*static_cast<const ParenExpr&>(e).inner, out);
  if (e.kind == ExprKind::Literal) {
    const auto& l = static_cast<const LiteralExpr&>(e);
    out.kind = NumericSource::Constant;
    out.constant.v = nullptr;
    out.constant.type = l.number_type;
    out.constant.i = l.int_value;
    out.constant.d = l.double_value;
    if (l.number_type == VarType::Empty) out.constant.v = &l.value;
    return true;
  }
  if (e.kind != ExprKind::Name) return false;
  const auto& n = static_cast<const NameExpr&>(e);
  if (!n.args.empty() || n.has_parens) return false;
  if (n.bind == Bind::Local) {
    out.kind = NumericSource::Local;
    out.index = n.index;
    return true;
  }
  if (n.bind == Bind::Global) {
    out.kind = NumericSource::Global;
    out.global = n.global;
    return true;
  }
  return false;
}

class Flattener {
 public:
  // Appends the steps that push the value of `e`; false when a name in it is still unbound.
  bool Push(const Expr& e) {
    NumericStep step;
    if (LeafSource(e, step.source)) {
      step.kind = NumericStep::Push;
      Emit(step, 1);
      return true;
    }
    switch (e.kind) {
      case ExprKind::Paren:
        return Push(*static_cast<const ParenExpr&>(e).inner);
      case ExprKind::Name: {
        const auto& n = static_cast<const NameExpr&>(e);
        if (n.bind == Bind::Unbound) return false;
        if (n.bind != Bind::Proc) break;
        step.kind = NumericStep::Call;
        step.proc = static_cast<const ProcDecl*>(n.target);
        step.args = &n.args;
        Emit(step, 1);
        return true;
      }
      case ExprKind::Binary: {
        const auto& b = static_cast<const BinaryExpr&>(e);
        if (!IsArithmetic(b.op) && !IsComparison(b.op)) break;
        if (!Push(*b.left)) return false;
        step.kind = NumericStep::Binary;
        step.op = b.op;
        step.expr = &b;
        if (LeafSource(*b.right, step.source)) {
          Emit(step, 0);
          return true;
        }
        if (!Push(*b.right)) return false;
        step.source.kind = NumericSource::Stack;
        Emit(step, -1);
        return true;
      }
      default:
        break;
    }
    step.kind = NumericStep::Value;
    step.expr = &e;
    Emit(step, 1);
    return true;
  }

  std::vector<NumericStep> steps;
  int max_depth = 0;

 private:
  void Emit(const NumericStep& step, int effect) {
    steps.push_back(step);
    depth_ += effect;
    if (depth_ > max_depth) max_depth = depth_;
  }
  int depth_ = 0;
};

}  // namespace

void CompileNumeric(const BinaryExpr& b) {
  Flattener f;
  if (!f.Push(b)) return;
  if (f.max_depth > static_cast<int>(kNumericDepth)) {
    b.numeric = BinaryExpr::Numeric::TreeOnly;
    return;
  }
  b.code.reset(new NumericCode{std::move(f.steps)});
  b.numeric = BinaryExpr::Numeric::Ready;
}

}  // namespace vks::vbscript
