#include "exporters/vc17/project_items.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "base/path.h"
#include "base/text.h"
#include "exporters/vc17/msbuild_path.h"
#include "exporters/vs_common/filter_tree.h"
#include "model/model.h"

namespace {

// Appends `component` to the filter path `path`, skipping components that
// name no folder.
std::string ChildFilter(const std::string& path, std::string_view component) {
  if (component.empty() || component == ".")
    return path;
  return path.empty() ? std::string(component)
                      : path + "\\" + std::string(component);
}

class ItemCollector {
 public:
  ItemCollector(const std::string& currentDirectory,
                const std::string& projectDirectory,
                ProjectItems* items)
      : currentDirectory_(currentDirectory),
        projectDirectory_(projectDirectory),
        items_(items) {}

  void AddGroup(const FileGroup& group) {
    FilterNode root(group.name, 0);
    std::unordered_map<const std::string*, const FileEntry*> entries;
    for (const FileEntry& entry : group.files) {
      InsertFile(&root, entry.path, entry.fullPath);
      entries.emplace(&entry.fullPath, &entry);
    }
    // A group name may itself name nested folders ("Source/Net").
    std::string filter;
    for (std::string_view component : PathComponents(group.name))
      filter = DeclareFilter(ChildFilter(filter, component));
    AddNode(root, filter, entries);
  }

 private:
  // Declares `filter` and returns its spelling: Visual Studio takes
  // folders that differ in letter case alone for one, so the first
  // spelling stands for all.
  std::string DeclareFilter(const std::string& filter) {
    if (filter.empty())
      return filter;
    auto inserted = declared_.emplace(ToLowerAscii(filter), filter);
    if (inserted.second)
      items_->filters.push_back(filter);
    return inserted.first->second;
  }

  void AddNode(
      const FilterNode& node,
      const std::string& filter,
      const std::unordered_map<const std::string*, const FileEntry*>& entries) {
    for (const auto& child : node.children) {
      std::string child_filter =
          DeclareFilter(ChildFilter(filter, child->name));
      AddNode(*child, child_filter, entries);
    }
    std::vector<const std::string*> files = node.files;
    std::stable_sort(files.begin(), files.end(),
                     [](const std::string* a, const std::string* b) {
                       return ComparePathsNoCase(*a, *b) < 0;
                     });
    for (const std::string* file : files) {
      const FileEntry& entry = *entries.at(file);
      // A directory is listed by the filters of older project files, but
      // it is no item: nothing compiles it.
      if (entry.directory)
        continue;
      std::string include = ItemPath(entry);
      if (!seen_.insert(ToLowerAscii(include)).second)
        continue;
      items_->items.push_back({ItemKindOf(entry.name()), include, filter, {}});
    }
  }

  // The path of a file as the project file's directory sees it. Only the
  // pattern can make it absolute; a name found on disk ("c:x.cpp") always
  // lies below its root.
  std::string ItemPath(const FileEntry& entry) {
    // Without a root the search ran in the base directory itself.
    const std::string& path =
        entry.root.empty() || entry.absolute ? entry.path : entry.fullPath;
    if (entry.absolute)
      return path;
    std::string_view name = entry.name();
    // The files of a group share their directories: each is worked out
    // once for a run of files in it.
    std::string_view directory_part =
        std::string_view(path).substr(0, path.size() - name.size());
    if (!haveDirectory_ || directory_part != lastDirectory_) {
      lastDirectory_.assign(directory_part);
      lastRelative_ = WindowsRelativePath(
          projectDirectory_, AbsolutePath(currentDirectory_, directory_part));
      haveDirectory_ = true;
    }
    const std::string& directory = lastRelative_;
    if (directory != ".") {
      std::string item;
      item.reserve(directory.size() + 1 + name.size());
      item.append(directory).append(1, '\\').append(name);
      return item;
    }
    // A bare name that reads as a drive or a root is named from here.
    return IsAbsolutePath(name) ? ".\\" + std::string(name) : std::string(name);
  }

  const std::string& currentDirectory_;
  const std::string& projectDirectory_;
  ProjectItems* items_;
  std::map<std::string, std::string> declared_;
  std::set<std::string> seen_;
  // The directory part ItemPath saw last, and its path from the project.
  bool haveDirectory_ = false;
  std::string lastDirectory_;
  std::string lastRelative_;
};

}  // namespace

const char* ItemKindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::kClCompile:
      return "ClCompile";
    case ItemKind::kClInclude:
      return "ClInclude";
    case ItemKind::kResourceCompile:
      return "ResourceCompile";
    case ItemKind::kCustomBuild:
      return "CustomBuild";
    case ItemKind::kNone:
      break;
  }
  return "None";
}

ItemKind ItemKindOf(std::string_view path) {
  std::string_view dotted = FileExtension(path);
  if (dotted.empty())
    return ItemKind::kNone;
  std::string extension = ToLowerAscii(dotted.substr(1));
  static const char* const kCompiled[] = {"c", "cc", "cpp", "cxx", "c++"};
  static const char* const kHeaders[] = {"h",   "hh",  "hpp", "hxx",
                                         "h++", "inl", "ipp"};
  for (const char* known : kCompiled) {
    if (extension == known)
      return ItemKind::kClCompile;
  }
  for (const char* known : kHeaders) {
    if (extension == known)
      return ItemKind::kClInclude;
  }
  if (extension == "rc")
    return ItemKind::kResourceCompile;
  return ItemKind::kNone;
}

ProjectItems CollectProjectItems(const Target& target,
                                 const std::string& currentDirectory,
                                 const std::string& projectDirectory) {
  ProjectItems items;
  ItemCollector collector(currentDirectory, projectDirectory, &items);
  for (const FileGroup& group : target.fileGroups)
    collector.AddGroup(group);
  return items;
}
