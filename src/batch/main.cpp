// zelk-batch: the scripted front end. See usage_text() for the language.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "batch/interpreter.h"

#ifdef ZELK_HAVE_QTGUI
namespace zelk {
bool write_raster_picture(const DisplayList& picture, const std::string& path, std::string* error);
void finish_raster_pictures();
}  // namespace zelk
#endif

namespace {

int run_script(const std::string& arg, zelk::RasterWriter raster, zelk::NumberStyle numbers) {
  using zelk::Interpreter;
  if (arg == "-") {
    Interpreter run(std::cout, std::cerr, std::string(), raster);
    run.app().session().numbers = numbers;
    return run.run(std::cin, "-");
  }
  std::ifstream script(arg);
  if (!script) {
    std::cerr << "zelk-batch: cannot open " << arg << '\n';
    return 1;
  }
  Interpreter run(std::cout, std::cerr, std::filesystem::path(arg).parent_path().string(), raster);
  run.app().session().numbers = numbers;
  return run.run(script, arg);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zelk;
  NumberStyle numbers = NumberStyle::Report;
  if (argc == 3 && std::string(argv[1]) == "--full-precision") {
    numbers = NumberStyle::Full;
    --argc;
    ++argv;
  }
  if (argc != 2) {
    std::cerr << usage_text();
    return 2;
  }
  const std::string arg = argv[1];
  if (arg == "--help" || arg == "-h") {
    std::cout << usage_text();
    return 0;
  }
  if (arg == "--dialogs") {
    print_dialogs(make_registry(), std::cout);
    print_tree_editor(std::cout);
    return 0;
  }
  RasterWriter raster = nullptr;
#ifdef ZELK_HAVE_QTGUI
  raster = &write_raster_picture;
#endif
  const int status = run_script(arg, raster, numbers);
#ifdef ZELK_HAVE_QTGUI
  finish_raster_pictures();
#endif
  return status;
}
