// Keeps the library non-empty while no logic is listed in it.
namespace dorvane { int native_build_marker = 0; }
