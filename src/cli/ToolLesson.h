#pragma once
// exo-tool's lessons: a lesson named where an experiment is expected opens
// one of its scenes (--scene K), `info` lists the scenes, and
// `lesson pack|unpack` turns experiment files into a lesson and back.

#include <string>

class Document;
class ToolConsole;
struct OpenResult;
struct ToolArguments;

// Opens scene `scene` (1 first; 0 means 1) of the lesson at `path` into the
// document as Open would open it as a file.
OpenResult OpenLessonScene(const std::string& path, int scene, Document& document,
                           ToolConsole& console);
// `info LESSON.exol` without --scene.
int LessonInfo(const ToolArguments& args, ToolConsole& console);
// `lesson pack OUT.exol A.exo B.exo ...` and `lesson unpack LESSON.exol OUTDIR`.
int LessonCommand(const ToolArguments& args, ToolConsole& console);
