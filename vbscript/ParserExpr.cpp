// Expressions, from the loosest operator (Imp) to the tightest (^) and the primaries.
#include "vbscript/Names.h"
#include "vbscript/ParserImpl.h"

namespace vks::vbscript {
namespace {

ExprPtr MakeBinary(Op op, ExprPtr a, ExprPtr b, const Token& at) {
  return std::make_unique<BinaryExpr>(op, std::move(a), std::move(b), at.line, at.column);
}

}  // namespace

// Expr -> Imp
ExprPtr ParserImpl::ParseExpr() {
  Enter();
  ExprPtr e = ParseImp();
  Leave();
  return e;
}

// Imp -> Eqv { Imp Eqv }
ExprPtr ParserImpl::ParseImp() {
  ExprPtr e = ParseEqv();
  while (At(Tok::Imp)) {
    const Token& t = Next();
    e = MakeBinary(Op::Imp, std::move(e), ParseEqv(), t);
  }
  return e;
}

// Eqv -> Xor { Eqv Xor }
ExprPtr ParserImpl::ParseEqv() {
  ExprPtr e = ParseXor();
  while (At(Tok::Eqv)) {
    const Token& t = Next();
    e = MakeBinary(Op::Eqv, std::move(e), ParseXor(), t);
  }
  return e;
}

// Xor -> Or { Xor Or }
ExprPtr ParserImpl::ParseXor() {
  ExprPtr e = ParseOr();
  while (At(Tok::Xor)) {
    const Token& t = Next();
    e = MakeBinary(Op::Xor, std::move(e), ParseOr(), t);
  }
  return e;
}

// Or -> And { Or And }
ExprPtr ParserImpl::ParseOr() {
  ExprPtr e = ParseAnd();
  while (At(Tok::Or)) {
    const Token& t = Next();
    e = MakeBinary(Op::Or, std::move(e), ParseAnd(), t);
  }
  return e;
}

// And -> Not { And Not }
ExprPtr ParserImpl::ParseAnd() {
  ExprPtr e = ParseNot();
  while (At(Tok::And)) {
    const Token& t = Next();
    e = MakeBinary(Op::And, std::move(e), ParseNot(), t);
  }
  return e;
}

// Not -> Not Not | Compare
ExprPtr ParserImpl::ParseNot() {
  if (!At(Tok::Not)) return ParseCompare();
  const Token& t = Next();
  Enter();
  ExprPtr operand = ParseNot();
  Leave();
  return std::make_unique<UnaryExpr>(Op::Not, std::move(operand), t.line, t.column);
}

// Compare -> Concat { ('=' | '<>' | '<' | '>' | '<=' | '>=' | Is) Concat }
ExprPtr ParserImpl::ParseCompare() {
  ExprPtr e = ParseConcat();
  for (;;) {
    Op op;
    switch (Kind()) {
      case Tok::Equal:
        op = Op::Eq;
        break;
      case Tok::NotEqual:
        op = Op::Ne;
        break;
      case Tok::Less:
        op = Op::Lt;
        break;
      case Tok::Greater:
        op = Op::Gt;
        break;
      case Tok::LessEqual:
        op = Op::Le;
        break;
      case Tok::GreaterEqual:
        op = Op::Ge;
        break;
      case Tok::Is:
        op = Op::Is;
        break;
      default:
        return e;
    }
    const Token& t = Next();
    // "=<" and "=>" are accepted spellings of "<=" and ">=".
    if (op == Op::Eq && At(Tok::Less) && !Peek().space_before)
      Next(), op = Op::Le;
    else if (op == Op::Eq && At(Tok::Greater) && !Peek().space_before)
      Next(), op = Op::Ge;
    e = MakeBinary(op, std::move(e), ParseConcat(), t);
  }
}

// Concat -> Add { '&' Add }
ExprPtr ParserImpl::ParseConcat() {
  ExprPtr e = ParseAdd();
  while (At(Tok::Ampersand)) {
    const Token& t = Next();
    e = MakeBinary(Op::Concat, std::move(e), ParseAdd(), t);
  }
  return e;
}

// Add -> Mod { ('+' | '-') Mod }
ExprPtr ParserImpl::ParseAdd() {
  ExprPtr e = ParseMod();
  while (At(Tok::Plus) || At(Tok::Minus)) {
    const Token& t = Next();
    e = MakeBinary(t.kind == Tok::Plus ? Op::Add : Op::Sub, std::move(e), ParseMod(), t);
  }
  return e;
}

// Mod -> IntDiv { Mod IntDiv }
ExprPtr ParserImpl::ParseMod() {
  ExprPtr e = ParseIntDiv();
  while (At(Tok::Mod)) {
    const Token& t = Next();
    e = MakeBinary(Op::Mod, std::move(e), ParseIntDiv(), t);
  }
  return e;
}

// IntDiv -> Mul { '\' Mul }
ExprPtr ParserImpl::ParseIntDiv() {
  ExprPtr e = ParseMul();
  while (At(Tok::Backslash)) {
    const Token& t = Next();
    e = MakeBinary(Op::IntDiv, std::move(e), ParseMul(), t);
  }
  return e;
}

// Mul -> Pow { ('*' | '/') Pow }
ExprPtr ParserImpl::ParseMul() {
  ExprPtr e = ParsePow();
  while (At(Tok::Star) || At(Tok::Slash)) {
    const Token& t = Next();
    e = MakeBinary(t.kind == Tok::Star ? Op::Mul : Op::Div, std::move(e), ParsePow(), t);
  }
  return e;
}

// Unary -> ('-' | '+') Unary | Primary          (so -3 ^ 2 is 9)
ExprPtr ParserImpl::ParseUnary() {
  if (!At(Tok::Minus) && !At(Tok::Plus)) return ParsePrimary();
  const Token& t = Next();
  Enter();
  ExprPtr operand = ParseUnary();
  Leave();
  if (t.kind == Tok::Plus) return operand;
  return std::make_unique<UnaryExpr>(Op::Neg, std::move(operand), t.line, t.column);
}

// Pow -> Unary { '^' Unary }
ExprPtr ParserImpl::ParsePow() {
  ExprPtr e = ParseUnary();
  while (At(Tok::Caret)) {
    const Token& t = Next();
    e = MakeBinary(Op::Pow, std::move(e), ParseUnary(), t);
  }
  return e;
}

// Primary -> Number | String | Date | True | False | Empty | Null | Nothing | '(' Expr ')'
//          | New Name | Chain
ExprPtr ParserImpl::ParsePrimary() {
  const Token& t = Peek();
  switch (t.kind) {
    case Tok::Number: {
      Next();
      auto lit = std::make_unique<LiteralExpr>(t.value, t.line, t.column);
      lit->from_number_text = true;
      return lit;
    }
    case Tok::String:
      Next();
      return std::make_unique<LiteralExpr>(Variant(t.text), t.line, t.column);
    case Tok::Date:
      Next();
      return std::make_unique<LiteralExpr>(t.value, t.line, t.column);
    case Tok::True:
      Next();
      return std::make_unique<LiteralExpr>(Variant(true), t.line, t.column);
    case Tok::False:
      Next();
      return std::make_unique<LiteralExpr>(Variant(false), t.line, t.column);
    case Tok::Empty:
      Next();
      return std::make_unique<LiteralExpr>(Variant(), t.line, t.column);
    case Tok::Null:
      Next();
      return std::make_unique<LiteralExpr>(Variant::Null(), t.line, t.column);
    case Tok::Nothing:
      Next();
      return std::make_unique<LiteralExpr>(Variant::Nothing(), t.line, t.column);
    case Tok::LParen: {
      Next();
      ExprPtr inner = ParseExpr();
      Expect(Tok::RParen, error::kExpectedRParen);
      // `(New K).P`, `(f)(4)`: a parenthesized value can start a chain.
      return ParsePostfix(std::make_unique<ParenExpr>(std::move(inner), t.line, t.column),
                          SIZE_MAX);
    }
    case Tok::New: {
      Next();
      std::string name = ExpectName();
      return std::make_unique<NewExpr>(name, t.line, t.column);
    }
    case Tok::Identifier:
    case Tok::Dot:
    case Tok::Me:
      return ParseChain();
    default:
      break;
  }
  Fail(error::kExpectedExpression);
}

// Chain -> (Name | '.' Name | Me) { '(' Args ')' | '.' Name }
ExprPtr ParserImpl::ParseChain(size_t stop_at) {
  const Token& t = Peek();
  ExprPtr base;
  if (t.kind == Tok::Identifier) {
    Next();
    base = MakeName(t);
  } else if (t.kind == Tok::Me) {
    Next();
    base = std::make_unique<MeExpr>(t.line, t.column);
  } else {
    Next();  // '.' of a With member
    if (Peek().text.empty()) Fail(error::kExpectedIdentifier);
    const Token& name = Next();
    auto m = std::make_unique<MemberExpr>(nullptr, name.text, t.line, t.column);
    m->folded = FoldName(name.text);
    m->outside_with = with_depth_ == 0;
    base = std::move(m);
  }
  return ParsePostfix(std::move(base), stop_at);
}

ExprPtr ParserImpl::ParsePostfix(ExprPtr base, size_t stop_at) {
  for (;;) {
    if (At(Tok::LParen) && pos_ != stop_at) {
      const Token& t = Next();
      Args args = ParseArgList(Tok::RParen);
      if (base->kind == ExprKind::Name && !static_cast<NameExpr&>(*base).has_parens) {
        auto& n = static_cast<NameExpr&>(*base);
        n.args = std::move(args);
        n.has_parens = true;
      } else if (base->kind == ExprKind::Member && !static_cast<MemberExpr&>(*base).has_parens) {
        auto& m = static_cast<MemberExpr&>(*base);
        m.args = std::move(args);
        m.has_parens = true;
      } else {
        auto apply = std::make_unique<ApplyExpr>(std::move(base), t.line, t.column);
        apply->args = std::move(args);
        base = std::move(apply);
      }
      continue;
    }
    if (At(Tok::Dot) && !Peek().space_before) {
      const Token& dot = Next();
      if (Peek().text.empty()) Fail(error::kExpectedIdentifier);
      const Token& name = Next();
      auto m = std::make_unique<MemberExpr>(std::move(base), name.text, dot.line, dot.column);
      m->folded = FoldName(name.text);
      base = std::move(m);
      continue;
    }
    return base;
  }
}

// Args -> [ [Expr] { ',' [Expr] } ] ')'
Args ParserImpl::ParseArgList(Tok close) {
  Args args;
  if (Accept(close)) return args;
  for (;;) {
    if (At(Tok::Comma)) {
      args.push_back(nullptr);
    } else {
      args.push_back(ParseExpr());
      if (!At(Tok::Comma)) break;
    }
    Next();
    if (At(close)) {
      args.push_back(nullptr);
      break;
    }
  }
  Expect(close, error::kExpectedRParen);
  return args;
}

}  // namespace vks::vbscript
