#pragma once
// The syntax tree the parser builds and the evaluator walks. Nodes carry their position; names
// carry a binding that the parser fills for procedure locals and the evaluator fills on first use
// for everything else, so that no access after the first looks a name up by its text.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/Variant.h"

namespace vks::vbscript {

struct ClassDecl;
struct ProcDecl;
struct NumericCode;
struct NumericCodeDelete {
  void operator()(NumericCode* code) const;
};

enum class ExprKind : uint8_t { Literal, Name, Member, Apply, Unary, Binary, Paren, New, Me };

enum class Op : uint8_t {
  Neg,
  Not,  // unary
  Pow,
  Mul,
  Div,
  IntDiv,
  Mod,
  Add,
  Sub,
  Concat,
  Eq,
  Ne,
  Lt,
  Gt,
  Le,
  Ge,
  Is,
  And,
  Or,
  Xor,
  Eqv,
  Imp,
};

struct Expr {
  Expr(ExprKind k, int l, int c) : kind(k), line(l), column(c) {}
  virtual ~Expr() = default;
  ExprKind kind;
  int line;
  int column;
};
using ExprPtr = std::unique_ptr<Expr>;
// An argument list; a left-out argument (`F 1, , 3`) is a null pointer.
using Args = std::vector<ExprPtr>;

struct LiteralExpr : Expr {
  LiteralExpr(Variant v, int l, int c) : Expr(ExprKind::Literal, l, c), value(std::move(v)) {
    number_type = value.Type();
    if (number_type == VarType::Integer)
      int_value = value.AsInteger();
    else if (number_type == VarType::Long)
      int_value = value.AsLong();
    else if (number_type == VarType::Double)
      double_value = value.AsDouble();
    else
      number_type = VarType::Empty;
  }
  Variant value;
  bool from_number_text =
      false;  // a number written in the source (compares with strings as a number)
  // The value as a plain number when it is an Integer, Long or Double (else Empty), so that
  // arithmetic reads it without looking into the Variant.
  VarType number_type = VarType::Empty;
  int32_t int_value = 0;
  double double_value = 0;
};

// What a name stands for once found.
enum class Bind : uint8_t {
  Unbound,
  Local,       // slot of the running procedure's frame
  Global,      // script-level variable slot
  Field,       // variable of the class instance (Me)
  Proc,        // script procedure
  Method,      // procedure of the running class, called on Me
  Builtin,     // library function
  Constant,    // library constant (vbCrLf …), `index` into the constant table
  HostMember,  // member of a host object published with its members as globals
};

// A name, with or without an argument list: a variable, an array element, a procedure call.
struct NameExpr : Expr {
  NameExpr(std::string n, std::string f, int l, int c)
      : Expr(ExprKind::Name, l, c), name(std::move(n)), folded(std::move(f)) {}
  std::string name;
  std::string folded;
  Args args;
  bool has_parens = false;
  // Binding; `fallback` is the procedure-local slot an undeclared name gets (-1 at script level).
  mutable Bind bind = Bind::Unbound;
  mutable int index = -1;
  int fallback = -1;
  mutable const void* target = nullptr;  // ProcDecl* for Proc/Method, builtin entry for Builtin
  mutable Variant* global = nullptr;     // the script-level variable itself when bound Global
};

// `object.name(args)`; a null object means the object of the enclosing With.
struct MemberExpr : Expr {
  MemberExpr(ExprPtr o, std::string n, int l, int c)
      : Expr(ExprKind::Member, l, c), object(std::move(o)), name(std::move(n)) {}
  ExprPtr object;
  std::string name;
  std::string folded;
  Args args;
  bool has_parens = false;
  bool outside_with = false;  // `.name` written outside any With: error 505 when it runs
};

// Arguments applied to something that is not a plain name: `f(1)(2)`, `obj.items(0)(1)`.
struct ApplyExpr : Expr {
  ApplyExpr(ExprPtr t, int l, int c) : Expr(ExprKind::Apply, l, c), target(std::move(t)) {}
  ExprPtr target;
  Args args;
};

struct UnaryExpr : Expr {
  UnaryExpr(Op o, ExprPtr e, int l, int c)
      : Expr(ExprKind::Unary, l, c), op(o), operand(std::move(e)) {}
  Op op;
  ExprPtr operand;
};

struct BinaryExpr : Expr {
  BinaryExpr(Op o, ExprPtr a, ExprPtr b, int l, int c)
      : Expr(ExprKind::Binary, l, c), op(o), left(std::move(a)), right(std::move(b)) {}
  Op op;
  ExprPtr left;
  ExprPtr right;
  // Arithmetic and comparisons that run again, once their names are bound, run as flattened steps
  // (NumericCode.h); code that runs once (a rule, Eval) is not worth flattening.
  enum class Numeric : uint8_t { Untried, RanOnce, Ready, TreeOnly };
  mutable Numeric numeric = Numeric::Untried;
  mutable std::unique_ptr<NumericCode, NumericCodeDelete> code;
};

// Parentheses matter: a parenthesized argument is passed by value.
struct ParenExpr : Expr {
  ParenExpr(ExprPtr e, int l, int c) : Expr(ExprKind::Paren, l, c), inner(std::move(e)) {}
  ExprPtr inner;
};

struct NewExpr : Expr {
  NewExpr(std::string n, int l, int c) : Expr(ExprKind::New, l, c), class_name(std::move(n)) {}
  std::string class_name;
};

struct MeExpr : Expr {
  MeExpr(int l, int c) : Expr(ExprKind::Me, l, c) {}
};

enum class StmtKind : uint8_t {
  Assign,
  Call,
  Dim,
  ReDim,
  Const,
  If,
  Select,
  For,
  ForEach,
  Do,
  While,
  Exit,
  OnError,
  With,
  Erase,
};

struct Stmt {
  Stmt(StmtKind k, int l, int c) : kind(k), line(l), column(c) {}
  virtual ~Stmt() = default;
  StmtKind kind;
  int line;
  int column;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt : Stmt {
  AssignStmt(int l, int c) : Stmt(StmtKind::Assign, l, c) {}
  ExprPtr target;  // NameExpr, MemberExpr or ApplyExpr
  ExprPtr value;
  bool is_set = false;
  // `value` when it is arithmetic or a comparison stored into a plain name (`s = s + 1`).
  const BinaryExpr* arithmetic = nullptr;
};

struct CallStmt : Stmt {
  CallStmt(int l, int c) : Stmt(StmtKind::Call, l, c) {}
  ExprPtr call;  // NameExpr, MemberExpr or ApplyExpr carrying the arguments
};

// Dim and ReDim share the shape: names with optional bounds.
struct DimItem {
  std::unique_ptr<NameExpr> name;
  std::vector<ExprPtr> bounds;  // upper bounds; empty = scalar (or `Dim a()`, a dynamic array)
  bool is_array = false;
};

struct DimStmt : Stmt {
  DimStmt(StmtKind k, int l, int c) : Stmt(k, l, c) {}
  std::vector<DimItem> items;
  bool preserve = false;  // ReDim Preserve
};

struct ConstStmt : Stmt {
  ConstStmt(int l, int c) : Stmt(StmtKind::Const, l, c) {}
  std::vector<std::pair<std::unique_ptr<NameExpr>, ExprPtr>> items;
};

struct IfStmt : Stmt {
  IfStmt(int l, int c) : Stmt(StmtKind::If, l, c) {}
  std::vector<std::pair<ExprPtr, Block>> branches;  // If and ElseIf
  Block else_block;
};

struct CaseTest {
  enum Kind : uint8_t { Value, Range, Compare } kind = Value;
  Op op = Op::Eq;  // for `Case Is < 5`
  ExprPtr a;
  ExprPtr b;
};

struct SelectStmt : Stmt {
  SelectStmt(int l, int c) : Stmt(StmtKind::Select, l, c) {}
  ExprPtr subject;
  std::vector<std::pair<std::vector<CaseTest>, Block>> cases;
  Block else_block;
  bool has_else = false;
};

struct ForStmt : Stmt {
  ForStmt(int l, int c) : Stmt(StmtKind::For, l, c) {}
  std::unique_ptr<NameExpr> var;
  ExprPtr from;
  ExprPtr to;
  ExprPtr step;  // null = 1
  Block body;
};

struct ForEachStmt : Stmt {
  ForEachStmt(int l, int c) : Stmt(StmtKind::ForEach, l, c) {}
  std::unique_ptr<NameExpr> var;
  ExprPtr collection;
  Block body;
};

struct DoStmt : Stmt {
  DoStmt(int l, int c) : Stmt(StmtKind::Do, l, c) {}
  ExprPtr cond;             // null = endless (Do … Loop)
  bool until = false;       // Until rather than While
  bool test_after = false;  // Loop While / Loop Until
  Block body;
};

struct WhileStmt : Stmt {
  WhileStmt(int l, int c) : Stmt(StmtKind::While, l, c) {}
  ExprPtr cond;
  Block body;
};

enum class ExitKind : uint8_t { For, Do, Sub, Function, Property };

struct ExitStmt : Stmt {
  ExitStmt(ExitKind w, int l, int c) : Stmt(StmtKind::Exit, l, c), what(w) {}
  ExitKind what;
};

struct OnErrorStmt : Stmt {
  OnErrorStmt(bool r, int l, int c) : Stmt(StmtKind::OnError, l, c), resume_next(r) {}
  bool resume_next;
};

struct WithStmt : Stmt {
  WithStmt(int l, int c) : Stmt(StmtKind::With, l, c) {}
  ExprPtr object;
  Block body;
};

struct EraseStmt : Stmt {
  EraseStmt(int l, int c) : Stmt(StmtKind::Erase, l, c) {}
  std::vector<ExprPtr> targets;
};

enum class ProcKind : uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Param {
  std::string name;
  bool by_val = false;
  bool is_array = false;  // `a()`
};

struct ProcDecl {
  ProcKind kind = ProcKind::Sub;
  std::string name;
  std::string folded;
  std::vector<Param> params;
  Block body;
  // Slots: 0 = result, 1..n = parameters, then locals, then undeclared names' fallbacks.
  int slot_count = 1;
  std::vector<std::string> slot_names;  // folded names of the slots, for Execute inside the body
  bool is_public = true;
  bool is_default = false;
  bool option_explicit = false;
  const ClassDecl* owner = nullptr;
  // Const statements inside the body's blocks, run when the procedure starts.
  std::vector<const ConstStmt*> consts;
  int line = 0;
  int column = 0;
};

struct FieldDecl {
  std::string name;
  std::string folded;
  bool is_public = true;
  std::vector<ExprPtr> bounds;
  bool is_array = false;
};

struct ClassDecl {
  std::string name;
  std::string folded;
  std::vector<FieldDecl> fields;
  std::vector<std::unique_ptr<ProcDecl>> procs;
  int line = 0;
};

// One piece of code as given to the engine: its script-level statements, procedures and classes.
struct Program {
  Block body;
  std::vector<std::unique_ptr<ProcDecl>> procs;
  std::vector<std::unique_ptr<ClassDecl>> classes;
  bool option_explicit = false;
  // Const statements inside script-level blocks, run before the code.
  std::vector<const ConstStmt*> consts;
  // Names declared at script level (Dim, Public, Private, Const), in spelling as written.
  std::vector<std::string> global_names;
};

}  // namespace vks::vbscript
