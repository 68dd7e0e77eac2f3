#include "tests/layering/layer_rules.h"

#include <cstddef>
#include <sstream>

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  if (path.empty())
    return parts;
  size_t start = 0;
  while (true) {
    size_t slash = path.find('/', start);
    parts.push_back(path.substr(start, slash - start));
    if (slash == std::string::npos)
      return parts;
    start = slash + 1;
  }
}

std::string Folder(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// `*` any run of characters, `?` one; both within one path component.
bool Glob(const char* pattern, const char* text) {
  for (; *pattern; ++pattern, ++text) {
    if (*pattern == '*') {
      for (const char* rest = text;; ++rest) {
        if (Glob(pattern + 1, rest))
          return true;
        if (!*rest)
          return false;
      }
    }
    if (!*text || (*pattern != '?' && *pattern != *text))
      return false;
  }
  return !*text;
}

bool HasWildcard(const std::string& part) {
  return part.find_first_of("*?") != std::string::npos;
}

// Table entries whose last part holds a "." name files, the rest folders.
bool IsFilePattern(const std::string& entry) {
  return BaseName(entry).find('.') != std::string::npos;
}

// True when the folder pattern `entry` names exactly the layer `layer`
// ("exporters/*" names "exporters/vs"; "*" names every layer).
bool NamesLayer(const std::string& entry, const std::string& layer) {
  if (entry == "*")
    return true;
  std::vector<std::string> want = SplitPath(entry);
  std::vector<std::string> have = SplitPath(layer);
  if (want.size() != have.size())
    return false;
  for (size_t i = 0; i < want.size(); ++i) {
    if (!Glob(want[i].c_str(), have[i].c_str()))
      return false;
  }
  return true;
}

bool ValidEntry(const std::string& entry) {
  if (entry.empty() || entry[0] == '/' || entry.back() == '/')
    return false;
  for (const std::string& part : SplitPath(entry)) {
    if (part.empty() || part == "." || part == "..")
      return false;
  }
  return true;
}

// The text between the quotes of an `#include "..."` line; false for any
// other line (system headers in <...> are not the tree's concern).
bool QuotedInclude(const std::string& line, std::string* include) {
  size_t i = line.find_first_not_of(" \t");
  if (i == std::string::npos || line[i] != '#')
    return false;
  i = line.find_first_not_of(" \t", i + 1);
  if (i == std::string::npos || line.compare(i, 7, "include") != 0)
    return false;
  i = line.find_first_not_of(" \t", i + 7);
  if (i == std::string::npos || line[i] != '"')
    return false;
  size_t end = line.find('"', i + 1);
  if (end == std::string::npos)
    return false;
  *include = line.substr(i + 1, end - i - 1);
  return true;
}

}  // namespace

std::string FormatViolation(const LayerViolation& violation) {
  std::string text = violation.file + ":";
  if (violation.line > 0)
    text += std::to_string(violation.line) + ":";
  return text + " " + violation.message;
}

bool LayerRules::Parse(const std::string& text,
                       const std::string& tableName,
                       std::string* error) {
  tableName_ = tableName;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    std::string where = tableName + ":" + std::to_string(number) + ": ";
    std::istringstream words(line.substr(0, line.find('#')));
    std::vector<std::string> tokens;
    for (std::string word; words >> word;)
      tokens.push_back(word);
    if (tokens.empty())
      continue;
    for (const std::string& token : tokens) {
      if (token != "->" && token != "<-" && token != "*" &&
          !ValidEntry(token)) {
        *error = where + "\"" + token +
                 "\": name folders by their path from the project root";
        return false;
      }
    }
    if (tokens[0] == "skip" && tokens.size() > 1) {
      skipped_.insert(skipped_.end(), tokens.begin() + 1, tokens.end());
      continue;
    }
    if (tokens[0] == "except" && tokens.size() > 3 && tokens[2] == "->") {
      Exception exception;
      exception.includer = tokens[1];
      exception.included.assign(tokens.begin() + 3, tokens.end());
      exception.line = number;
      exception.text = line.substr(0, line.find('#'));
      exception.text.erase(exception.text.find_last_not_of(" \t\r") + 1);
      exceptions_.push_back(exception);
      continue;
    }
    if (tokens.size() < 2 || tokens[1] != "->" || tokens[0] == "*") {
      *error = where +
               "expected \"<folder> -> <folders> [<- <folders>]\", "
               "\"except <folder or file> -> <folders or files>\" or "
               "\"skip <folders>\"";
      return false;
    }
    Rule rule;
    rule.layer = tokens[0];
    bool includers = false;
    for (size_t i = 2; i < tokens.size(); ++i) {
      if (tokens[i] == "<-" && !includers) {
        includers = true;
      } else if (tokens[i] == "->" || tokens[i] == "<-") {
        *error = where + "one \"->\" and at most one \"<-\" per line";
        return false;
      } else {
        (includers ? rule.includedBy : rule.mayInclude).push_back(tokens[i]);
      }
    }
    if (includers && rule.includedBy.empty()) {
      *error = where + "\"<-\" names no folder";
      return false;
    }
    for (const Rule& other : rules_) {
      if (other.layer == rule.layer) {
        *error = where + "a second line for \"" + rule.layer + "\"";
        return false;
      }
    }
    rules_.push_back(rule);
  }
  return true;
}

bool LayerRules::Skipped(const std::string& folder) const {
  for (const std::string& pattern : skipped_) {
    if (NamesLayer(pattern, folder))
      return true;
  }
  return false;
}

const LayerRules::Rule* LayerRules::FolderRule(const std::string& folder,
                                               std::string* layer) const {
  std::vector<std::string> parts = SplitPath(folder);
  const Rule* best = nullptr;
  size_t bestDepth = 0;
  size_t bestWildcards = 0;
  for (const Rule& rule : rules_) {
    if (IsFilePattern(rule.layer))
      continue;
    std::vector<std::string> want = SplitPath(rule.layer);
    if (want.size() > parts.size())
      continue;
    size_t wildcards = 0;
    bool match = true;
    for (size_t i = 0; i < want.size() && match; ++i) {
      match = Glob(want[i].c_str(), parts[i].c_str());
      wildcards += HasWildcard(want[i]);
    }
    // The deepest line places a folder; a named folder beats a pattern.
    if (match && (!best || want.size() > bestDepth ||
                  (want.size() == bestDepth && wildcards < bestWildcards))) {
      best = &rule;
      bestDepth = want.size();
      bestWildcards = wildcards;
    }
  }
  if (best) {
    layer->clear();
    for (size_t i = 0; i < bestDepth; ++i)
      *layer += (i ? "/" : "") + parts[i];
  }
  return best;
}

const LayerRules::Rule* LayerRules::FileRule(const std::string& path,
                                             std::string* layer) const {
  for (const Rule& rule : rules_) {
    if (!IsFilePattern(rule.layer))
      continue;
    bool match = rule.layer.find('/') == std::string::npos
                     ? Glob(rule.layer.c_str(), BaseName(path).c_str())
                     : NamesLayer(rule.layer, path);
    if (match) {
      *layer = rule.layer;
      return &rule;
    }
  }
  return FolderRule(Folder(path), layer);
}

bool LayerRules::Allowed(const Rule& rule,
                         const std::string& layer,
                         const std::string& targetLayer) const {
  if (targetLayer == layer)
    return true;
  for (const std::string& entry : rule.mayInclude) {
    if (NamesLayer(entry, targetLayer))
      return true;
  }
  std::string ignored;
  const Rule* target = FolderRule(targetLayer, &ignored);
  if (!target)
    return false;
  for (const std::string& entry : target->includedBy) {
    if (NamesLayer(entry, layer))
      return true;
  }
  return false;
}

bool LayerRules::Excepted(const std::string& path,
                          const std::string& layer,
                          const std::string& target,
                          const std::string& targetLayer) {
  for (Exception& exception : exceptions_) {
    if (exception.includer != path && !NamesLayer(exception.includer, layer))
      continue;
    for (const std::string& included : exception.included) {
      if (included == target || NamesLayer(included, targetLayer)) {
        exception.used = true;
        return true;
      }
    }
  }
  return false;
}

std::string LayerRules::AllowedList(const Rule& rule,
                                    const std::string& layer) const {
  std::string list = IsFilePattern(layer) ? "" : layer;
  auto add = [&list](const std::string& entry) {
    list += (list.empty() ? "" : ", ") + entry;
  };
  for (const std::string& entry : rule.mayInclude)
    add(entry);
  for (const Rule& other : rules_) {
    for (const std::string& entry : other.includedBy) {
      if (NamesLayer(entry, layer)) {
        add(other.layer);
        break;
      }
    }
  }
  return list;
}

std::vector<LayerViolation> LayerRules::CheckFile(
    const std::string& path,
    const std::string& text,
    const std::function<bool(const std::string&)>& exists) {
  std::vector<LayerViolation> found;
  std::string layer;
  const Rule* rule = FileRule(path, &layer);
  if (!rule) {
    found.push_back({path, 0,
                     "no line of " + tableName_ + " places folder \"" +
                         Folder(path) + "\""});
    return found;
  }
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    std::string include;
    if (!QuotedInclude(line, &include) || include.empty())
      continue;
    std::string quoted = "includes \"" + include + "\": ";
    if (include[0] == '/' || include.find('\\') != std::string::npos ||
        (include.size() > 1 && include[1] == ':')) {
      found.push_back({path, number,
                       quoted + "name the header by its path from the project "
                                "root, with \"/\""});
      continue;
    }
    bool dots = false;
    for (const std::string& part : SplitPath(include))
      dots = dots || part == ".." || part == ".";
    if (dots) {
      found.push_back({path, number,
                       quoted +
                           "\"..\" and \".\" leave the layering unchecked; "
                           "name the header by its path from the project "
                           "root"});
      continue;
    }
    // Compilers look for a quoted include beside the including file first.
    std::string target = include;
    std::string folder = Folder(path);
    if (!folder.empty() && exists(folder + "/" + include)) {
      target = folder + "/" + include;
      quoted = "includes \"" + include + "\" (" + target + "): ";
    }
    std::string targetFolder = Folder(target);
    std::string targetLayer;
    if (!FolderRule(targetFolder, &targetLayer)) {
      found.push_back(
          {path, number,
           quoted +
               (targetFolder.empty() ? std::string("the project root")
                                     : "folder \"" + targetFolder + "\"") +
               " is in no layer of " + tableName_});
      continue;
    }
    if (Allowed(*rule, layer, targetLayer) ||
        Excepted(path, layer, target, targetLayer))
      continue;
    found.push_back(
        {path, number,
         quoted + layer + " may include only " + AllowedList(*rule, layer)});
  }
  return found;
}

std::vector<std::string> LayerRules::UnusedExceptions() const {
  std::vector<std::string> unused;
  for (const Exception& exception : exceptions_) {
    if (!exception.used) {
      unused.push_back(tableName_ + ":" + std::to_string(exception.line) +
                       ": no include needs \"" + exception.text +
                       "\" any more; remove the line");
    }
  }
  return unused;
}
