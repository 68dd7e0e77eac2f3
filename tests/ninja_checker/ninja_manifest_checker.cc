#include "tests/ninja_checker/ninja_manifest_checker.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <unordered_map>

namespace {

// The version whose reading this checker follows (Debian 12's ninja).
const int kNinjaMajor = 1;
const int kNinjaMinor = 11;
const char kNinjaVersion[] = "1.11.1";
// Ninja has no bound; a file that includes itself would never end.
const int kMaxIncludeDepth = 64;

enum class Token {
  kError,
  kBuild,
  kColon,
  kDefault,
  kEquals,
  kIdent,
  kInclude,
  kIndent,
  kNewline,
  kPipe,
  kPipe2,
  kPipeAt,
  kPool,
  kRule,
  kSubninja,
  kEof,
};

const char* TokenName(Token token) {
  switch (token) {
    case Token::kError:
      return "lexing error";
    case Token::kBuild:
      return "'build'";
    case Token::kColon:
      return "':'";
    case Token::kDefault:
      return "'default'";
    case Token::kEquals:
      return "'='";
    case Token::kIdent:
      return "identifier";
    case Token::kInclude:
      return "'include'";
    case Token::kIndent:
      return "indent";
    case Token::kNewline:
      return "newline";
    case Token::kPipe:
      return "'|'";
    case Token::kPipe2:
      return "'||'";
    case Token::kPipeAt:
      return "'|@'";
    case Token::kPool:
      return "'pool'";
    case Token::kRule:
      return "'rule'";
    case Token::kSubninja:
      return "'subninja'";
    case Token::kEof:
      return "eof";
  }
  return "?";
}

// Characters of a variable, rule or pool name, and of the short "$name"
// reference, which has no ".".
bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

bool IsShortNameChar(char c) {
  return IsNameChar(c) && c != '.';
}

// A value or path as read: literal text and variable references.
struct EvalPiece {
  bool variable = false;
  std::string text;
};
using EvalString = std::vector<EvalPiece>;

// A "$name" directly followed by ".rest": ninja reads "$name" and the text
// ".rest", which is not what was meant when "name.rest" is a variable.
struct DottedReference {
  std::string file;
  int line = 0;
  std::string shortName;
  std::string dottedName;
};

class Lexer {
 public:
  Lexer(const std::string& text) : text_(text) {
    lineStarts_.push_back(0);
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n')
        lineStarts_.push_back(i + 1);
    }
  }

  // The byte at `at`; NUL past the end, where ninja's buffer holds one.
  char At(size_t at) const { return at < text_.size() ? text_[at] : '\0'; }

  int LineOf(size_t at) const {
    return static_cast<int>(
        std::upper_bound(lineStarts_.begin(), lineStarts_.end(), at) -
        lineStarts_.begin());
  }
  int LastTokenLine() const { return LineOf(lastToken_); }
  size_t lastToken() const { return lastToken_; }
  size_t offset() const { return offset_; }

  Token ReadToken() {
    for (;;) {
      size_t start = offset_;
      size_t p = start;
      while (At(p) == ' ')
        ++p;
      if (At(p) == '#') {
        size_t end = p;
        while (At(end) != '\0' && At(end) != '\n')
          ++end;
        if (At(end) == '\n') {
          offset_ = end + 1;
          continue;
        }
      }
      lastToken_ = start;
      Token token;
      if (At(p) == '\r' && At(p + 1) == '\n') {
        p += 2;
        token = Token::kNewline;
      } else if (At(p) == '\n') {
        p += 1;
        token = Token::kNewline;
      } else if (p > start) {
        token = Token::kIndent;
      } else if (IsNameChar(At(p))) {
        size_t end = p;
        while (IsNameChar(At(end)))
          ++end;
        std::string word = text_.substr(p, end - p);
        p = end;
        token = word == "build"      ? Token::kBuild
                : word == "pool"     ? Token::kPool
                : word == "rule"     ? Token::kRule
                : word == "default"  ? Token::kDefault
                : word == "include"  ? Token::kInclude
                : word == "subninja" ? Token::kSubninja
                                     : Token::kIdent;
      } else if (At(p) == '=') {
        ++p;
        token = Token::kEquals;
      } else if (At(p) == ':') {
        ++p;
        token = Token::kColon;
      } else if (At(p) == '|') {
        if (At(p + 1) == '|') {
          p += 2;
          token = Token::kPipe2;
        } else if (At(p + 1) == '@') {
          p += 2;
          token = Token::kPipeAt;
        } else {
          p += 1;
          token = Token::kPipe;
        }
      } else if (At(p) == '\0') {
        token = Token::kEof;
      } else {
        ++p;
        token = Token::kError;
      }
      offset_ = p;
      if (token != Token::kNewline && token != Token::kEof)
        EatWhitespace();
      return token;
    }
  }

  bool PeekToken(Token wanted) {
    if (ReadToken() == wanted)
      return true;
    offset_ = lastToken_;
    return false;
  }

  void UnreadToken() { offset_ = lastToken_; }

  bool ReadIdent(std::string* out) {
    size_t start = offset_;
    size_t p = start;
    while (IsNameChar(At(p)))
      ++p;
    lastToken_ = start;
    if (p == start)
      return false;
    *out = text_.substr(start, p - start);
    offset_ = p;
    EatWhitespace();
    return true;
  }

  // A path (ends at " ", ":", "|" or a line end, which are left unread) or
  // a value (ends after the line end). Records "$name.rest" references.
  bool ReadEvalString(EvalString* eval,
                      bool path,
                      std::vector<DottedReference>* dotted,
                      const std::string& file,
                      std::string* error) {
    size_t p = offset_;
    size_t start;
    auto text = [eval](const std::string& piece) {
      if (!eval->empty() && !eval->back().variable)
        eval->back().text += piece;
      else
        eval->push_back(EvalPiece{false, piece});
    };
    auto variable = [eval](const std::string& name) {
      eval->push_back(EvalPiece{true, name});
    };
    for (;;) {
      start = p;
      char c = At(p);
      if (c == '\r' && At(p + 1) == '\n') {
        if (!path)
          p += 2;
        else
          p = start;
        break;
      }
      if (c == ' ' || c == ':' || c == '|' || c == '\n') {
        if (path)
          break;
        ++p;
        if (c == '\n')
          break;
        text(std::string(1, c));
        continue;
      }
      if (c == '$') {
        char next = At(p + 1);
        if (next == '$' || next == ' ' || next == ':') {
          text(std::string(1, next));
          p += 2;
        } else if (next == '\n' || (next == '\r' && At(p + 2) == '\n')) {
          p += next == '\n' ? 2 : 3;
          while (At(p) == ' ')
            ++p;
        } else if (next == '{') {
          size_t end = p + 2;
          while (IsNameChar(At(end)))
            ++end;
          if (end == p + 2 || At(end) != '}') {
            lastToken_ = start;
            *error = "bad $-escape (literal $ must be written as $$)";
            return false;
          }
          variable(text_.substr(p + 2, end - p - 2));
          p = end + 1;
        } else if (IsShortNameChar(next)) {
          size_t end = p + 1;
          while (IsShortNameChar(At(end)))
            ++end;
          std::string name = text_.substr(p + 1, end - p - 1);
          if (At(end) == '.' && IsNameChar(At(end + 1))) {
            size_t dotted_end = end;
            while (IsNameChar(At(dotted_end)))
              ++dotted_end;
            dotted->push_back(
                DottedReference{file, LineOf(start), name,
                                text_.substr(p + 1, dotted_end - p - 1)});
          }
          variable(name);
          p = end;
        } else {
          lastToken_ = start;
          *error = "bad $-escape (literal $ must be written as $$)";
          return false;
        }
        continue;
      }
      if (c == '\0') {
        lastToken_ = start;
        *error = p >= text_.size() ? "unexpected EOF" : "unexpected NUL byte";
        return false;
      }
      if (c == '\r') {
        lastToken_ = start;
        *error = "lexing error";
        return false;
      }
      size_t end = p;
      for (char d = At(end); d != '$' && d != ' ' && d != ':' && d != '\r' &&
                             d != '\n' && d != '|' && d != '\0';
           d = At(++end)) {
      }
      text(text_.substr(p, end - p));
      p = end;
    }
    lastToken_ = start;
    offset_ = p;
    if (path)
      EatWhitespace();
    return true;
  }

 private:
  void EatWhitespace() {
    for (;;) {
      if (At(offset_) == ' ') {
        ++offset_;
      } else if (At(offset_) == '$' && At(offset_ + 1) == '\n') {
        offset_ += 2;
      } else if (At(offset_) == '$' && At(offset_ + 1) == '\r' &&
                 At(offset_ + 2) == '\n') {
        offset_ += 3;
      } else {
        return;
      }
    }
  }

  const std::string& text_;
  std::vector<size_t> lineStarts_;
  size_t offset_ = 0;
  size_t lastToken_ = 0;
};

struct Rule {
  std::string name;
  std::map<std::string, EvalString> bindings;
};

// A scope of variables and rules: the file, a subninja's file, or an edge.
struct Scope {
  Scope* parent = nullptr;
  std::map<std::string, std::string> bindings;
  std::map<std::string, std::unique_ptr<Rule>> rules;

  const std::string* Find(const std::string& name) const {
    for (const Scope* scope = this; scope; scope = scope->parent) {
      auto found = scope->bindings.find(name);
      if (found != scope->bindings.end())
        return &found->second;
    }
    return nullptr;
  }
  const Rule* FindRule(const std::string& name) const {
    for (const Scope* scope = this; scope; scope = scope->parent) {
      auto found = scope->rules.find(name);
      if (found != scope->rules.end())
        return found->second.get();
    }
    return nullptr;
  }
};

bool IsRuleKey(const std::string& key) {
  static const std::set<std::string> keys = {
      "command",         "depfile", "dyndep", "description", "deps",
      "generator",       "pool",    "restat", "rspfile",     "rspfile_content",
      "msvc_deps_prefix"};
  return keys.count(key) != 0;
}

// What the whole graph shares across included files.
struct State {
  std::map<std::string, int> pools = {{"", 0}, {"console", 1}};
  std::set<std::string> nodes;
  std::set<std::string> producedNodes;
  std::vector<std::unique_ptr<Scope>> scopes;
  std::set<std::string> definedNames;
  std::vector<DottedReference> dotted;
  NinjaCheck* check = nullptr;
  const NinjaFileReader* reader = nullptr;
};

class Parser {
 public:
  Parser(State* state,
         Scope* scope,
         const std::string& file,
         const std::string& text,
         int depth)
      : state_(state),
        scope_(scope),
        file_(file),
        lexer_(text),
        depth_(depth) {}

  // False once ninja would stop with an error (already reported).
  bool Parse() {
    for (;;) {
      Token token = lexer_.ReadToken();
      statementLine_ = lexer_.LastTokenLine();
      bool ok = true;
      switch (token) {
        case Token::kPool:
          ok = ParsePool();
          break;
        case Token::kBuild:
          ok = ParseEdge();
          break;
        case Token::kRule:
          ok = ParseRule();
          break;
        case Token::kDefault:
          ok = ParseDefault();
          break;
        case Token::kIdent:
          lexer_.UnreadToken();
          ok = ParseTopLevelLet();
          break;
        case Token::kInclude:
        case Token::kSubninja:
          ok = ParseInclude(token == Token::kSubninja);
          break;
        case Token::kError:
          ok = Reject(DescribeLexingError());
          break;
        case Token::kEof:
          return true;
        case Token::kNewline:
          break;
        default:
          ok = Reject(std::string("unexpected ") + TokenName(token) +
                      (token == Token::kIndent
                           ? " (an indented line belongs to a rule, pool or "
                             "build statement above it)"
                           : ""));
      }
      if (!ok)
        return false;
    }
  }

 private:
  bool Reject(const std::string& message) {
    return RejectAt(lexer_.LastTokenLine(), message);
  }
  bool RejectAt(int line, const std::string& message) {
    state_->check->problems.push_back(NinjaProblem{file_, line, message, true});
    return false;
  }
  void Note(int line, const std::string& message) {
    state_->check->problems.push_back(
        NinjaProblem{file_, line, message, false});
  }

  std::string DescribeLexingError() const {
    switch (lexer_.At(lexer_.lastToken())) {
      case '\t':
        return "tabs are not allowed, use spaces";
      case '\0':
        return "unexpected NUL byte";
      default:
        return "lexing error";
    }
  }

  bool Expect(Token wanted) {
    Token token = lexer_.ReadToken();
    if (token == wanted)
      return true;
    std::string message = std::string("expected ") + TokenName(wanted) +
                          ", got " + TokenName(token);
    if (wanted == Token::kColon)
      message += " ($ also escapes ':')";
    return Reject(message);
  }

  bool ReadPath(EvalString* eval) {
    std::string error;
    if (lexer_.ReadEvalString(eval, true, &state_->dotted, file_, &error))
      return true;
    return Reject(error);
  }

  bool ReadValue(EvalString* eval) {
    std::string error;
    if (lexer_.ReadEvalString(eval, false, &state_->dotted, file_, &error))
      return true;
    return Reject(error);
  }

  bool ParseLet(std::string* key, EvalString* value) {
    if (!lexer_.ReadIdent(key))
      return Reject(
          "expected variable name (names hold only letters, digits and "
          "\"_-.\")");
    if (!Expect(Token::kEquals))
      return false;
    return ReadValue(value);
  }

  // The value of `eval` in `scope`, noting variables that are defined
  // nowhere in it: ninja expands them to nothing.
  std::string Evaluate(const EvalString& eval, const Scope* scope, int line) {
    std::string out;
    for (const EvalPiece& piece : eval) {
      if (!piece.variable) {
        out += piece.text;
        continue;
      }
      const std::string* value = scope->Find(piece.text);
      if (value)
        out += *value;
      else
        Note(line, "$" + piece.text +
                       " is not defined here; ninja reads it as empty");
    }
    return out;
  }

  bool ParseTopLevelLet() {
    std::string name;
    EvalString value;
    if (!ParseLet(&name, &value))
      return false;
    std::string text = Evaluate(value, scope_, statementLine_);
    if (name == "ninja_required_version") {
      int major = std::atoi(text.c_str());
      size_t dot = text.find('.');
      int minor =
          dot == std::string::npos ? 0 : std::atoi(text.c_str() + dot + 1);
      if (major > kNinjaMajor ||
          (major == kNinjaMajor && minor > kNinjaMinor)) {
        return RejectAt(statementLine_, std::string("ninja version (") +
                                            kNinjaVersion +
                                            ") incompatible with build file "
                                            "ninja_required_version version (" +
                                            text + ")");
      }
    }
    scope_->bindings[name] = text;
    state_->definedNames.insert(name);
    return true;
  }

  bool ParsePool() {
    std::string name;
    if (!lexer_.ReadIdent(&name))
      return Reject("expected pool name");
    if (!Expect(Token::kNewline))
      return false;
    if (state_->pools.count(name))
      return RejectAt(statementLine_, "duplicate pool '" + name + "'");
    int depth = -1;
    while (lexer_.PeekToken(Token::kIndent)) {
      std::string key;
      EvalString value;
      if (!ParseLet(&key, &value))
        return false;
      if (key != "depth")
        return Reject("unexpected variable '" + key + "'");
      depth =
          std::atoi(Evaluate(value, scope_, lexer_.LastTokenLine()).c_str());
      if (depth < 0)
        return Reject("invalid pool depth");
    }
    if (depth < 0)
      return Reject("expected 'depth =' line");
    state_->pools[name] = depth;
    return true;
  }

  bool ParseRule() {
    std::string name;
    if (!lexer_.ReadIdent(&name))
      return Reject("expected rule name");
    if (!Expect(Token::kNewline))
      return false;
    // "phony" is a rule of the outermost scope.
    if (scope_->rules.count(name) || (name == "phony" && !scope_->parent))
      return RejectAt(statementLine_, "duplicate rule '" + name + "'");
    auto rule = std::make_unique<Rule>();
    rule->name = name;
    while (lexer_.PeekToken(Token::kIndent)) {
      std::string key;
      EvalString value;
      if (!ParseLet(&key, &value))
        return false;
      if (!IsRuleKey(key))
        return Reject("unexpected variable '" + key + "'");
      rule->bindings[key] = value;
    }
    if (rule->bindings["rspfile"].empty() !=
        rule->bindings["rspfile_content"].empty())
      return Reject("rspfile and rspfile_content need to be both specified");
    if (rule->bindings["command"].empty())
      return Reject("expected 'command =' line");
    const EvalString& deps = rule->bindings["deps"];
    if (!deps.empty()) {
      bool literal = deps.size() == 1 && !deps[0].variable;
      if (literal && deps[0].text != "gcc" && deps[0].text != "msvc") {
        Note(statementLine_, "rule '" + name + "': unknown deps type '" +
                                 deps[0].text + "' (ninja fails the build)");
      }
    }
    // Empty bindings are the same to ninja as missing ones.
    for (auto it = rule->bindings.begin(); it != rule->bindings.end();) {
      if (it->second.empty())
        it = rule->bindings.erase(it);
      else
        ++it;
    }
    scope_->rules[name] = std::move(rule);
    return true;
  }

  // The value of a rule's or edge's binding as ninja evaluates it for the
  // edge: the edge's own, then the rule's, then the enclosing scopes.
  std::string EdgeBinding(const std::string& key,
                          const Rule* rule,
                          const Scope* edgeScope,
                          const std::vector<std::string>& inputs,
                          const std::vector<std::string>& outputs,
                          int depth) {
    if (key == "in" || key == "out") {
      const std::vector<std::string>& paths = key == "in" ? inputs : outputs;
      std::string joined;
      for (const std::string& path : paths)
        joined += (joined.empty() ? "" : " ") + path;
      return joined;
    }
    auto own = edgeScope->bindings.find(key);
    if (own != edgeScope->bindings.end())
      return own->second;
    const EvalString* ruled = nullptr;
    if (rule) {
      auto found = rule->bindings.find(key);
      if (found != rule->bindings.end())
        ruled = &found->second;
    }
    if (ruled && depth < 16) {
      std::string out;
      for (const EvalPiece& piece : *ruled) {
        out += piece.variable ? EdgeBinding(piece.text, rule, edgeScope, inputs,
                                            outputs, depth + 1)
                              : piece.text;
      }
      return out;
    }
    const std::string* outer =
        edgeScope->parent ? edgeScope->parent->Find(key) : nullptr;
    return outer ? *outer : std::string();
  }

  bool ReadPathList(std::vector<EvalString>* paths, std::vector<int>* lines) {
    for (;;) {
      EvalString path;
      if (!ReadPath(&path))
        return false;
      if (path.empty())
        return true;
      paths->push_back(path);
      lines->push_back(lexer_.LastTokenLine());
    }
  }

  // After a "|", "||" or "|@": ninja took whatever touches the bar for a
  // path of its own.
  void CheckBar(Token token) {
    size_t at = lexer_.lastToken();
    size_t width = token == Token::kPipe ? 1 : 2;
    char before = at > 0 ? lexer_.At(at - 1) : ' ';
    char after = lexer_.At(at + width);
    if (before != ' ' && before != '\n') {
      Note(lexer_.LineOf(at),
           std::string("a path holds a raw \"") + (width == 1 ? "|" : "||") +
               "\": ninja ends the path there and reads " + TokenName(token));
    } else if (after != ' ' && after != '\n' && after != '\r' && after != '$') {
      Note(lexer_.LineOf(at), std::string("a path starts with a raw ") +
                                  TokenName(token) +
                                  ": ninja reads the bar as a separator");
    }
  }

  bool ParseEdge() {
    std::vector<EvalString> outs, ins, validations;
    std::vector<int> outLines, inLines, validationLines;
    if (!ReadPathList(&outs, &outLines))
      return false;
    size_t implicitOuts = 0;
    if (lexer_.PeekToken(Token::kPipe)) {
      CheckBar(Token::kPipe);
      size_t before = outs.size();
      if (!ReadPathList(&outs, &outLines))
        return false;
      implicitOuts = outs.size() - before;
    }
    if (outs.empty())
      return Reject("expected path");
    if (!Expect(Token::kColon))
      return false;
    std::string ruleName;
    if (!lexer_.ReadIdent(&ruleName))
      return Reject("expected build command name");
    const Rule* rule = scope_->FindRule(ruleName);
    if (!rule && ruleName != "phony")
      return Reject("unknown build rule '" + ruleName + "'");
    if (!ReadPathList(&ins, &inLines))
      return false;
    size_t explicitIns = ins.size();
    if (lexer_.PeekToken(Token::kPipe)) {
      CheckBar(Token::kPipe);
      if (!ReadPathList(&ins, &inLines))
        return false;
    }
    if (lexer_.PeekToken(Token::kPipe2)) {
      CheckBar(Token::kPipe2);
      if (!ReadPathList(&ins, &inLines))
        return false;
    }
    if (lexer_.PeekToken(Token::kPipeAt)) {
      CheckBar(Token::kPipeAt);
      if (!ReadPathList(&validations, &validationLines))
        return false;
    }
    if (!Expect(Token::kNewline))
      return false;

    Scope* edgeScope = scope_;
    if (lexer_.PeekToken(Token::kIndent)) {
      state_->scopes.push_back(std::make_unique<Scope>());
      edgeScope = state_->scopes.back().get();
      edgeScope->parent = scope_;
      do {
        std::string key;
        EvalString value;
        int line = lexer_.LineOf(lexer_.offset());
        if (!ParseLet(&key, &value))
          return false;
        edgeScope->bindings[key] = Evaluate(value, scope_, line);
        state_->definedNames.insert(key);
      } while (lexer_.PeekToken(Token::kIndent));
    }

    std::vector<std::string> outputs;
    for (size_t i = 0; i < outs.size(); ++i) {
      std::string path = Evaluate(outs[i], edgeScope, outLines[i]);
      if (path.empty())
        return RejectAt(outLines[i], "empty path");
      outputs.push_back(CanonicalNinjaPath(path));
    }
    std::vector<std::string> inputs;
    for (size_t i = 0; i < ins.size(); ++i) {
      std::string path = Evaluate(ins[i], edgeScope, inLines[i]);
      if (path.empty())
        return RejectAt(inLines[i], "empty path");
      inputs.push_back(CanonicalNinjaPath(path));
    }
    std::vector<std::string> explicitInputs(inputs.begin(),
                                            inputs.begin() + explicitIns);
    std::vector<std::string> explicitOutputs(outputs.begin(),
                                             outputs.end() - implicitOuts);

    std::string pool = EdgeBinding("pool", rule, edgeScope, explicitInputs,
                                   explicitOutputs, 0);
    if (!pool.empty() && !state_->pools.count(pool))
      return RejectAt(statementLine_, "unknown pool name '" + pool + "'");

    for (size_t i = 0; i < outputs.size(); ++i) {
      if (!state_->producedNodes.insert(outputs[i]).second)
        return RejectAt(outLines[i], "multiple rules generate " + outputs[i]);
      state_->nodes.insert(outputs[i]);
      state_->check->targets.push_back(NinjaTarget{outputs[i], ruleName});
    }
    for (const std::string& input : inputs)
      state_->nodes.insert(input);
    for (size_t i = 0; i < validations.size(); ++i) {
      std::string path =
          Evaluate(validations[i], edgeScope, validationLines[i]);
      if (path.empty())
        return RejectAt(validationLines[i], "empty path");
      state_->nodes.insert(CanonicalNinjaPath(path));
    }

    if (!rule && outputs.size() >= 1 &&
        std::find(inputs.begin(), inputs.end(), outputs[0]) != inputs.end()) {
      Note(statementLine_, "phony target '" + outputs[0] +
                               "' names itself as an input; ninja drops it");
    }

    std::string dyndep = EdgeBinding("dyndep", rule, edgeScope, explicitInputs,
                                     explicitOutputs, 0);
    if (!dyndep.empty()) {
      dyndep = CanonicalNinjaPath(dyndep);
      if (std::find(inputs.begin(), inputs.end(), dyndep) == inputs.end())
        return RejectAt(statementLine_,
                        "dyndep '" + dyndep + "' is not an input");
    }
    return true;
  }

  bool ParseDefault() {
    EvalString eval;
    if (!ReadPath(&eval))
      return false;
    if (eval.empty())
      return Reject("expected target name");
    do {
      int line = lexer_.LastTokenLine();
      std::string path = Evaluate(eval, scope_, line);
      if (path.empty())
        return RejectAt(line, "empty path");
      path = CanonicalNinjaPath(path);
      if (!state_->nodes.count(path))
        return RejectAt(line, "unknown target '" + path + "'");
      state_->check->defaults.push_back(path);
      eval.clear();
      if (!ReadPath(&eval))
        return false;
    } while (!eval.empty());
    return Expect(Token::kNewline);
  }

  bool ParseInclude(bool newScope) {
    EvalString eval;
    if (!ReadPath(&eval))
      return false;
    std::string path = Evaluate(eval, scope_, statementLine_);
    if (depth_ >= kMaxIncludeDepth)
      return RejectAt(statementLine_,
                      "includes nested too deeply at '" + path + "'");
    std::string content, error = "No such file or directory";
    if (!*state_->reader || !(*state_->reader)(path, &content, &error))
      return RejectAt(statementLine_, "loading '" + path + "': " + error);
    Scope* scope = scope_;
    if (newScope) {
      state_->scopes.push_back(std::make_unique<Scope>());
      scope = state_->scopes.back().get();
      scope->parent = scope_;
    }
    Parser child(state_, scope, path, content, depth_ + 1);
    if (!child.Parse())
      return false;
    return Expect(Token::kNewline);
  }

  State* state_;
  Scope* scope_;
  std::string file_;
  Lexer lexer_;
  int depth_;
  int statementLine_ = 1;
};

bool ReadWholeFile(const std::string& path,
                   std::string* content,
                   std::string* error) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(path, ignored)) {
    *error = std::filesystem::is_directory(path, ignored)
                 ? "Is a directory"
                 : "No such file or directory";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "No such file or directory";
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  *content = buffer.str();
  return true;
}

}  // namespace

std::string CanonicalNinjaPath(const std::string& path) {
  bool absolute = !path.empty() && path[0] == '/';
  std::vector<std::string> parts;
  size_t kept = 0;  // parts that a ".." may take back
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos)
      slash = path.size();
    std::string part = path.substr(start, slash - start);
    start = slash + 1;
    if (part.empty() || part == ".")
      continue;
    if (part == "..") {
      if (kept > 0) {
        parts.pop_back();
        --kept;
      } else {
        parts.push_back(part);
      }
      continue;
    }
    parts.push_back(part);
    ++kept;
  }
  std::string out = absolute ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i)
    out += (i ? "/" : "") + parts[i];
  return out.empty() ? "." : out;
}

NinjaCheck CheckNinjaManifest(const std::string& name,
                              const std::string& text,
                              const NinjaFileReader& reader) {
  NinjaCheck check;
  State state;
  state.check = &check;
  state.reader = &reader;
  state.scopes.push_back(std::make_unique<Scope>());
  Scope* root = state.scopes.back().get();

  size_t nul = text.find('\0');
  if (nul != std::string::npos) {
    int line = 1 + static_cast<int>(
                       std::count(text.begin(), text.begin() + nul, '\n'));
    check.problems.push_back(
        NinjaProblem{name, line, "a NUL byte: ninja reads no further", false});
  }
  Parser parser(&state, root, name, text, 0);
  if (parser.Parse()) {
    for (const DottedReference& reference : state.dotted) {
      if (state.definedNames.count(reference.dottedName) &&
          !state.definedNames.count(reference.shortName)) {
        check.problems.push_back(NinjaProblem{
            reference.file, reference.line,
            "$" + reference.dottedName + " reads as $" + reference.shortName +
                " followed by text; write ${" + reference.dottedName + "}",
            false});
      }
    }
  }
  return check;
}

NinjaCheck CheckNinjaFile(const std::string& path) {
  std::string text, error;
  if (!ReadWholeFile(path, &text, &error)) {
    NinjaCheck check;
    check.problems.push_back(
        NinjaProblem{path, 0, "loading '" + path + "': " + error, true});
    return check;
  }
  size_t slash = path.rfind('/');
  std::string directory =
      slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  NinjaFileReader reader = [directory](const std::string& included,
                                       std::string* content, std::string* why) {
    std::string full = !included.empty() && included[0] == '/'
                           ? included
                           : directory + included;
    return ReadWholeFile(full, content, why);
  };
  return CheckNinjaManifest(path, text, reader);
}

std::string FormatNinjaProblem(const NinjaProblem& problem) {
  return problem.file + ":" + std::to_string(problem.line) + ": " +
         problem.message;
}
