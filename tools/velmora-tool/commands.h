#pragma once
// The commands of velmora-tool; each returns the process exit status.

namespace velmora::tool {

int RunDescriptions(int argc, char** argv);
int RunBuildDescriptions(int argc, char** argv);
int RunNumber(int argc, char** argv);
int RunPicture(int argc, char** argv);
int RunGifFrames(int argc, char** argv);

}  // namespace velmora::tool
