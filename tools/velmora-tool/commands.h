#pragma once
// The commands of velmora-tool; each returns the process exit status.

#include <string>

namespace velmora::tool {

int RunDescriptions(int argc, char** argv);
int RunBuildDescriptions(int argc, char** argv);
int RunBuildArt(int argc, char** argv);
int RunBuildGallery(int argc, char** argv);
int RunNumber(int argc, char** argv);
int RunPicture(int argc, char** argv);
int RunGifFrames(int argc, char** argv);

// Writes the bytes to the file, replacing it; false on failure.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace velmora::tool
