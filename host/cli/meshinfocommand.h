//===- meshinfocommand.h - `korhost mesh-info FILE`: what a mesh file holds ===//
//
// Reads a data-model file back and prints its block tree, one block a line
// (id, version, total size, and what the block is), then the vertex and
// triangle counts of the meshes it holds. A file that cannot be read, is
// no data-model file, is damaged or holds no mesh ends with one error line.
//
//===----------------------------------------------------------------------===//
#pragma once
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

/// Prints the block tree and mesh counts of the file at `path` (UTF-8).
/// Returns 0, or 1 after one error line on `errors`.
int printMeshInfo(const std::string &path, FILE *out = stdout,
                  FILE *errors = stderr);

/// The `mesh-info` subcommand and the file it names.
class MeshInfoSubcommand {
public:
  explicit MeshInfoSubcommand(CLI::App &cli);
  bool chosen() const { return app_->parsed(); }
  int run() const { return printMeshInfo(path_); }

private:
  CLI::App *app_;
  std::string path_;
};
