#include "cli/ToolArguments.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "files/LessonFile.h"
#include "files/RayOpticsScene.h"
#include "i18n/TtlmController.h"

namespace {

constexpr int kMaxRuns = 100000;
constexpr int kMaxThreads = 64;
constexpr int kMaxGenerations = 999999;

const char* const kUsage =
    "usage:\n"
    "  exo-tool trace FILE.exo [--size WxH] [--generations K] [--json]\n"
    "  exo-tool render FILE.exo OUT [--size WxH] [--no-run] [--hq] [--generations K]\n"
    "                  [--follow X,Y] [--equations] [--presentation 1|1.5|2|3]\n"
    "                  [--format png|bmp|jpg|svg|pdf]\n"
    "                  [--paper [--table blank|values] [--lesson-title TEXT]]\n"
    "  exo-tool readout FILE.exo [--follow X,Y] [--json]\n"
    "  exo-tool resave IN.exo OUT.exo\n"
    "  exo-tool info FILE.exo [--json]\n"
    "  exo-tool import SCENE.json|LINK OUT.exo\n"
    "  exo-tool export IN.exo OUT.json\n"
    "  exo-tool bench FILE.exo [--size WxH] [--runs N] [--hq] [--threads N] [--json]\n"
    "  exo-tool lesson pack OUT.exol A.exo B.exo ...\n"
    "  exo-tool lesson unpack LESSON.exol OUTDIR\n"
    "  exo-tool --help | --version\n"
    "FILE may also be a Ray Optics Simulation scene (.json); LINK is its share link.\n"
    "FILE may be a lesson (.exol): --scene K opens its scene K (default 1); info\n"
    "without --scene lists the scenes.\n"
    "Every command takes --help and --lang zh|en. FILE or IN given as - is read from\n"
    "standard input, OUT given as - is written to standard output.\n"
    "OUT is written as PNG, BMP, JPEG, SVG or PDF by its extension (.png, .bmp, .jpg,\n"
    ".jpeg, .svg, .pdf) or as --format says (PNG for - unless --format says).\n"
    "--generations K shows the generations 1 to K of the trace; --follow X,Y draws the\n"
    "ray whose piece passes nearest (X, Y), within 5 px, over the others faded;\n"
    "--equations adds the lens and mirror equation's panel beside each image;\n"
    "--presentation F draws labels, handles, arrowheads and rays F times larger.\n"
    "--paper draws the worksheet: one A4 page on white paper with the titles, the\n"
    "date and, with --table, a blank table of u, v, f or the equation's values.\n"
    "--threads N paints and traces on at most N threads (default: one per core).\n"
    "--json prints one JSON document instead of lines.\n";

struct OptionSpec {
  const char* name;
  const char* valueName;  // empty: a flag
  const char* id;
  const char* chinese;
};

const OptionSpec kOptions[] = {
    {"size", "WxH", "ExoTool.OptSize", "画面的大小,每边 1 到 8192 像素(默认 1920x1080)"},
    {"no-run", "", "ExoTool.OptNoRun", "不追迹,画出按\"运行\"之前的样子"},
    {"hq", "", "ExoTool.OptHq", "高质量(抗锯齿)绘制"},
    {"generations", "K", "ExoTool.OptGenerations", "只显示追迹的第 1 到第 K 代"},
    {"follow", "X,Y", "ExoTool.OptFollow", "突出经过点 (X, Y) 5 像素以内的那条光线"},
    {"equations", "", "ExoTool.OptEquations", "在每个像旁边加上透镜和面镜公式"},
    {"presentation", "F", "ExoTool.OptPresentation",
     "标签、手柄、箭头和光线画大 F 倍(1、1.5、2 或 3)"},
    {"format", "FORMAT", "ExoTool.OptFormat",
     "图片格式:png、bmp、jpg、svg 或 pdf(默认按 OUT 的扩展名;OUT 为 - 时为 png)"},
    {"paper", "", "ExoTool.OptPaper", "画成作业单:白底的一页 A4,带标题和日期"},
    {"table", "blank|values", "ExoTool.OptTable",
     "作业单上加表格 (u, v, f, 像的性质):blank 空白,values 成像公式的数值"},
    {"lesson-title", "TEXT", "ExoTool.OptLessonTitle", "作业单上的课题"},
    {"runs", "N", "ExoTool.OptRuns", "计时的次数,1 到 100000(默认 20)"},
    {"threads", "N", "ExoTool.OptThreads", "最多用 N 个线程绘制和追迹,1 到 64"},
    {"json", "", "ExoTool.OptJson", "输出一个 JSON 文档"},
    {"scene", "K", "ExoTool.OptScene", "课件(.exol)的第 K 个场景(默认第 1 个)"},
};

struct CommandSpec {
  const char* name;
  std::vector<const char*> files;
  std::vector<const char*> options;
  const char* id;
  const char* chinese;
};

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands = {
      {"trace",
       {"FILE.exo"},
       {"size", "generations", "json", "scene"},
       "ExoTool.CmdTrace",
       "追迹实验,每个追迹出的项目印一行(以制表符分隔)"},
      {"render",
       {"FILE.exo", "OUT"},
       {"size", "no-run", "hq", "generations", "follow", "equations", "presentation", "format",
        "scene", "paper", "table", "lesson-title"},
       "ExoTool.CmdRender",
       "把实验画成图片:PNG、BMP、JPEG、SVG 或 PDF"},
      {"readout",
       {"FILE.exo"},
       {"follow", "json", "scene"},
       "ExoTool.CmdReadout",
       "印出每个像的透镜和面镜公式"},
      {"resave", {"IN.exo", "OUT.exo"}, {}, "ExoTool.CmdResave", "用程序的写入方法重新保存实验"},
      {"info",
       {"FILE.exo"},
       {"json", "scene"},
       "ExoTool.CmdInfo",
       "印出文件头、页面设置和控件;课件则列出场景"},
      {"import",
       {"SCENE.json|LINK", "OUT.exo"},
       {},
       "ExoTool.CmdImport",
       "把 Ray Optics Simulation 的场景(文件或分享链接)存为实验"},
      {"export",
       {"IN.exo", "OUT.json"},
       {},
       "ExoTool.CmdExport",
       "把实验存为 Ray Optics Simulation 的场景(JSON)"},
      {"bench",
       {"FILE.exo"},
       {"size", "runs", "hq", "threads", "json"},
       "ExoTool.CmdBench",
       "测量一次追迹和一次完整刷新所用的时间"},
      {"lesson",
       {"pack|unpack", "OUT.exol|LESSON.exol", "A.exo ...|OUTDIR"},
       {},
       "ExoTool.CmdLesson",
       "pack:把实验文件依次作为场景存成课件;unpack:把课件的每个场景存为实验文件"},
  };
  return commands;
}

const OptionSpec& Option(const std::string& name) {
  for (const auto& option : kOptions)
    if (name == option.name) return option;
  return kOptions[0];
}

std::string Tx(const std::string& id, const std::string& chinese,
               const std::vector<std::string>& arguments) {
  return MainController().Translate(id, chinese, arguments);
}

// A whole number from 1 to `max`, digits only.
bool ParseCount(const std::string& text, int max, int& out) {
  if (text.empty() || text.size() > 6) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  out = std::atoi(text.c_str());
  return out >= 1 && out <= max;
}

// "X,Y": two finite numbers within the largest surface's reach.
bool ParsePoint(const std::string& text, TPointF& point) {
  const auto comma = text.find(',');
  if (comma == std::string::npos || text.size() > 40) return false;
  double v[2];
  const std::string parts[2] = {text.substr(0, comma), text.substr(comma + 1)};
  for (int i = 0; i < 2; ++i) {
    char* end = nullptr;
    v[i] = std::strtod(parts[i].c_str(), &end);
    if (parts[i].empty() || *end != '\0' || !(std::fabs(v[i]) <= 4 * kMaxSide)) return false;
  }
  point = {float(v[0]), float(v[1])};
  return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto x = text.find('x');
  if (x == std::string::npos) return false;
  return ParseCount(text.substr(0, x), kMaxSide, width) &&
         ParseCount(text.substr(x + 1), kMaxSide, height);
}

// "png", "bmp", "jpg", "svg" or "pdf" by the name's extension; empty for another.
std::string FormatByExtension(const std::string& path) {
  const auto slash = path.rfind('/');
  const auto dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string ext = QString::fromStdString(path.substr(dot + 1)).toLower().toStdString();
  if (ext == "jpeg") ext = "jpg";
  for (const char* known : {"png", "bmp", "jpg", "svg", "pdf"})
    if (ext == known) return ext;
  return {};
}

std::string Synopsis(const CommandSpec& command) {
  std::string text = std::string("usage: exo-tool ") + command.name;
  for (const char* file : command.files) text += std::string(" ") + file;
  return text + " [options]\n";
}

std::string HelpText(const CommandSpec& command) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const char* name : command.options) {
    const OptionSpec& o = Option(name);
    std::string left = std::string("--") + o.name;
    if (*o.valueName) left += std::string(" ") + o.valueName;
    rows.emplace_back(left, Tr(o.id, o.chinese));
  }
  rows.emplace_back("--lang zh|en", Tr("ExoTool.OptLang", "界面语言:zh(中文)或 en(英文)"));
  rows.emplace_back("-h, --help", Tr("ExoTool.OptHelp", "显示这个命令的帮助"));
  std::size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  std::string text =
      Synopsis(command) + Tr(command.id, command.chinese) + "\n" +
      Tr("ExoTool.DashMeansStream", "文件名为 - 时读标准输入,OUT 为 - 时写到标准输出.") + "\n\n";
  for (const auto& [left, right] : rows)
    text += "  " + left + std::string(width - left.size() + 2, ' ') + right + "\n";
  return text;
}

ParsedCommandLine Usage(const std::string& problem, const CommandSpec* command = nullptr) {
  ParsedCommandLine parsed;
  parsed.outcome = ParsedCommandLine::UsageError;
  if (!command) {
    parsed.text = "exo-tool: " + problem + "\n" + kUsage;
    return parsed;
  }
  parsed.text = "exo-tool: " + std::string(command->name) + ": " +
                Tr("ExoTool.UsageError", "用法错误") + ": " + problem + "\n" + Synopsis(*command) +
                Tx("ExoTool.SeeHelp", "详见 exo-tool %s --help", {command->name}) + "\n";
  return parsed;
}

QStringList ToQt(const std::vector<std::string>& arguments, std::size_t from) {
  QStringList list{QStringLiteral("exo-tool")};
  for (std::size_t i = from; i < arguments.size(); ++i)
    list << QString::fromLocal8Bit(arguments[i].c_str());
  return list;
}

// The options' values, checked; the problem's text when one is wrong.
std::string ReadValues(const QCommandLineParser& parser, const CommandSpec& command,
                       ToolArguments& args) {
  // Asking for an option the parser does not know is a mistake of ours.
  auto isSet = [&](const char* name) {
    return std::any_of(command.options.begin(), command.options.end(),
                       [&](const char* own) { return std::string(own) == name; }) &&
           parser.isSet(name);
  };
  auto value = [&](const char* name) { return parser.value(name).toLocal8Bit().toStdString(); };
  auto count = [&](const char* name, int max, int& out) {
    return isSet(name) && !ParseCount(value(name), max, out)
               ? Tx("ExoTool.NeedsCount", "--%s 需要一个从 1 到 %d 的整数",
                    {name, std::to_string(max)})
               : std::string();
  };
  if (isSet("size") && !ParseSize(value("size"), args.width, args.height))
    return Tx("ExoTool.NeedsSize", "--size 需要 宽x高(WxH),每边 1 到 %d",
              {std::to_string(kMaxSide)});
  for (const std::string& problem :
       {count("runs", kMaxRuns, args.runs), count("threads", kMaxThreads, args.threads),
        count("generations", kMaxGenerations, args.generations), count("scene", 100, args.scene)})
    if (!problem.empty()) return problem;
  if (isSet("presentation")) {
    const std::string f = value("presentation");
    if (f != "1" && f != "1.5" && f != "2" && f != "3")
      return Tr("ExoTool.NeedsScale", "--presentation 需要 1、1.5、2 或 3");
    args.presentation = std::atof(f.c_str());
  }
  if (isSet("follow")) {
    TPointF point;
    if (!ParsePoint(value("follow"), point)) return Tr("ExoTool.NeedsPoint", "--follow 需要 X,Y");
    args.follow = point;
  }
  if (isSet("format")) {
    std::string f = parser.value("format").toLower().toStdString();
    if (f == "jpeg") f = "jpg";
    if (f != "png" && f != "bmp" && f != "jpg" && f != "svg" && f != "pdf")
      return Tr("ExoTool.NeedsFormat", "--format 需要 png、bmp、jpg、jpeg、svg 或 pdf");
    args.format = f;
  }
  if (isSet("table")) {
    const std::string t = value("table");
    if (t != "blank" && t != "values")
      return Tr("ExoTool.NeedsTable", "--table 需要 blank 或 values");
    args.table = t;
  }
  args.paper = isSet("paper");
  if ((isSet("table") || isSet("lesson-title")) && !args.paper)
    return Tr("ExoTool.TableNeedsPaper", "--table 和 --lesson-title 只用于 --paper");
  if (isSet("lesson-title")) args.lessonTitle = parser.value("lesson-title").toStdString();
  if (args.lessonTitle.size() > 400)
    return Tr("ExoTool.TitleTooLong", "--lesson-title 最多 400 个字节");
  args.noRun = isSet("no-run");
  args.highQuality = isSet("hq");
  args.equations = isSet("equations");
  args.json = isSet("json");
  return {};
}

}  // namespace

std::string CommandOf(const std::vector<std::string>& arguments) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (a == "--lang") {
      ++i;
      continue;
    }
    if (!a.empty() && a[0] == '-') continue;
    for (const auto& command : Commands())
      if (a == command.name) return a;
    return {};
  }
  return {};
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  // Before the command: --help, --version and --lang; the rest is the command's.
  QCommandLineParser top;
  top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
  const QCommandLineOption help(QStringList{"h", "help"}), version(QStringList{"v", "version"}),
      lang("lang", {}, "LANG");
  top.addOptions({help, version, lang});
  if (!top.parse(ToQt(arguments, 1)))
    return Usage(Tr("ExoTool.UsageError", "用法错误") + ": " + top.errorText().toStdString());
  ParsedCommandLine parsed;
  if (top.isSet(help)) {
    parsed.outcome = ParsedCommandLine::Help;
    parsed.text = kUsage;
    return parsed;
  }
  if (top.isSet(version)) {
    parsed.outcome = ParsedCommandLine::Version;
    return parsed;
  }
  const QStringList rest = top.positionalArguments();
  if (rest.isEmpty()) return Usage(Tr("ExoTool.NoCommand", "没有给出命令"));
  const std::string name = rest.front().toLocal8Bit().toStdString();
  const auto& commands = Commands();
  const auto command = std::find_if(commands.begin(), commands.end(),
                                    [&](const CommandSpec& c) { return name == c.name; });
  if (command == commands.end()) return Usage(Tx("ExoTool.UnknownCommand", "未知命令 %s", {name}));

  QCommandLineParser parser;
  parser.addOption(help);
  parser.addOption(lang);
  for (const char* optionName : command->options) {
    const OptionSpec& o = Option(optionName);
    parser.addOption(*o.valueName ? QCommandLineOption(o.name, {}, o.valueName)
                                  : QCommandLineOption(o.name));
  }
  QStringList own = rest;
  own.front() = QStringLiteral("exo-tool");
  if (!parser.parse(own)) return Usage(parser.errorText().toStdString(), &*command);
  if (parser.isSet(help)) {
    parsed.outcome = ParsedCommandLine::Help;
    parsed.text = HelpText(*command);
    return parsed;
  }
  ToolArguments& args = parsed.args;
  args.command = name;
  for (const QString& file : parser.positionalArguments())
    args.files.push_back(file.toLocal8Bit().toStdString());
  // pack takes any number of experiments, at least one.
  const bool lesson = args.command == "lesson";
  const bool packing = lesson && !args.files.empty() && args.files[0] == "pack";
  if (lesson && !args.files.empty() && !packing && args.files[0] != "unpack")
    return Usage(Tr("ExoTool.LessonTakes", "lesson 后面要跟 pack 或 unpack"), &*command);
  if (packing ? args.files.size() < command->files.size()
              : args.files.size() != command->files.size())
    return Usage(Tr("ExoTool.FileCount", "文件名的个数不对"), &*command);
  const std::string problem = ReadValues(parser, *command, args);
  if (!problem.empty()) return Usage(problem, &*command);
  if (args.scene && !IsLessonPath(args.files[0]))
    return Usage(Tr("ExoTool.SceneTakes", "--scene 只用于课件(.exol)"), &*command);
  if (args.command == "import" && !RayOpticsScene::IsScenePath(args.files[0]))
    return Usage(Tr("ExoTool.ImportTakes", "import 只接受 .json 场景或分享链接"), &*command);
  if (args.command == "render" && args.format.empty()) {
    args.format = args.files[1] == "-" ? "png" : FormatByExtension(args.files[1]);
    if (args.format.empty())
      return Usage(Tr("ExoTool.OutExtension",
                      "OUT 的扩展名必须是 .png、.bmp、.jpg、.jpeg、.svg 或 .pdf(或用 --format "
                      "指定格式)"),
                   &*command);
  }
  parsed.outcome = ParsedCommandLine::Run;
  return parsed;
}
