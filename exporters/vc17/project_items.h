#ifndef QEV_EXPORTERS_VC17_PROJECT_ITEMS_H_
#define QEV_EXPORTERS_VC17_PROJECT_ITEMS_H_

#include <string>
#include <string_view>
#include <vector>

struct Target;

// The files of a target as items of a .vcxproj and the filters that the
// .vcxproj.filters file sorts them into: the folder tree of the VC7-VC8
// project files, one top filter per file group and one sub-filter per
// directory of a file below its root.

enum class ItemKind {
  kClCompile,
  kClInclude,
  kResourceCompile,
  kNone,
  kCustomBuild,
};

// The item element name: "ClCompile", "ClInclude", "ResourceCompile",
// "None" or "CustomBuild".
const char* ItemKindName(ItemKind kind);

// The kind of a file by its extension (ASCII case ignored): .c .cc .cpp
// .cxx .c++ compile, .h .hh .hpp .hxx .h++ .inl .ipp are headers, .rc a
// resource script, anything else None.
ItemKind ItemKindOf(std::string_view path);

struct ProjectItem {
  ItemKind kind;
  // The file's path relative to the project file's directory, "\"
  // separated (or absolute as written); not escaped.
  std::string include;
  // The filter path ("Source\net"), or empty for the project's root.
  std::string filter;
  // The configurations that build it (a generated file); empty for all.
  std::vector<std::string> onlyIn;
};

struct ProjectItems {
  // Filter paths, each after its parent, in tree order.
  std::vector<std::string> filters;
  // Every file once (paths equal ignoring ASCII case are one file, the
  // first group and position win), in tree order: a filter's sub-filters
  // first, then its files sorted as in the VC7-VC8 files.
  std::vector<ProjectItem> items;
};

// Collects the items of `target` for a project file in `projectDirectory`
// (absolute, normalised) when the description's paths start at
// `currentDirectory` (absolute). Files of a group without a name sit at the
// root; empty and "." directory components make no filter.
ProjectItems CollectProjectItems(const Target& target,
                                 const std::string& currentDirectory,
                                 const std::string& projectDirectory);

#endif  // QEV_EXPORTERS_VC17_PROJECT_ITEMS_H_
