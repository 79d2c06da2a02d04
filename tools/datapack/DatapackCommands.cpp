// Command implementations of the archive tool. Failures are thrown as Failure and turned into
// one "datapack: ..." line by run, so no command can end the process any other way.
#include "DatapackCommands.h"

#include "DatapackFiles.h"
#include "resources/ArchiveWriter.h"
#include "resources/FileArchive.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>

namespace fs = std::filesystem;

namespace Datapack {

namespace {

const std::string seeUsage = " (datapack help shows the usage)";

// Opens the archive's directory through the show's reader or fails naming the problem.
void openArchive(FileArchive& archive, const std::string& operation, const std::string& path) {
    int32_t result = archive.readDirectory(path.c_str());
    if (result != FileArchive::Ok)
        throw Failure(operation + " " + path + ": " + FileArchive::describeResult(result));
}

// Adds one file, or every regular file below a directory in name order, to the writer.
void addPath(ArchiveWriter& writer, const std::string& output, const fs::path& source, const std::string& name) {
    std::error_code error;
    if (fs::is_directory(source, error)) {
        std::vector<std::pair<std::string, fs::path>> found;
        for (auto it = fs::recursive_directory_iterator(source, error); !error && it != fs::end(it); it.increment(error))
            if (it->is_regular_file(error))
                found.emplace_back((name.empty() ? "" : name + "/") + fs::relative(it->path(), source).generic_string(),
                                   it->path());
        if (error) throw Failure("create " + output + ": couldn't list " + source.string() + ": " + error.message());
        std::sort(found.begin(), found.end());
        for (const auto& [entryName, path] : found) addPath(writer, output, path, entryName);
        return;
    }
    std::vector<uint8_t> bytes = readWholeFile(source.string(), "create " + output);
    std::string refused = writer.add(name, std::move(bytes));
    if (!refused.empty()) throw Failure("create " + output + ": " + refused);
}

int create(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() < 2) throw Failure("create: missing the output archive" + seeUsage);
    const std::string& output = args[1];
    ArchiveWriter writer;
    fs::path base;
    for (size_t k = 2; k < args.size(); ++k) {
        if (args[k] == "-C") {
            if (k + 1 >= args.size()) throw Failure("create " + output + ": -C needs a directory");
            base = args[++k];
            continue;
        }
        const std::string& given = args[k];
        // "./data/1.jpg" is stored as "data/1.jpg", the name the show asks for.
        std::string name = given;
        while (name.rfind("./", 0) == 0) name.erase(0, 2);
        while (name.size() > 1 && name.back() == '/') name.pop_back();
        if (name == "." || name == "/") name.clear(); // a whole directory: names start inside it
        addPath(writer, output, base.empty() ? fs::path(given) : base / given, name);
    }
    std::string error = writer.write(output);
    if (!error.empty()) throw Failure("create " + output + ": " + error);
    out << output << ": " << writer.getCount() << " entries\n";
    return 0;
}

int list(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 2) throw Failure("list: expected one archive" + seeUsage);
    FileArchive archive;
    openArchive(archive, "list", args[1]);
    for (int32_t k = 0; k < archive.getCount(); ++k)
        out << archive.getName(k) << '\t' << archive.getSize(k) << '\t' << archive.getOffset(k) << '\n';
    return 0;
}

int extract(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 3 && args.size() != 4) throw Failure("extract: expected an archive, a name and an optional output file" + seeUsage);
    const std::string& path = args[1];
    const std::string& name = args[2];
    FileArchive archive;
    openArchive(archive, "extract", path);
    int32_t k = archive.find(name.c_str());
    if (k < 0) throw Failure("extract " + path + ": no entry matches \"" + name + "\"");
    std::string stored = archive.getName(k);
    std::string target = args.size() == 4 ? args[3] : stored.substr(stored.rfind('/') + 1);
    if (target.empty() || target == "." || target == "..")
        throw Failure("extract " + path + ": entry \"" + stored + "\" has no file name of its own; give an output file");
    std::unique_ptr<uint8_t[]> data(archive.getFile(name.c_str()));
    if (!data) throw Failure("extract " + path + ": couldn't read entry \"" + stored + "\"");
    size_t size = size_t(archive.getSize(k));
    if (target == "-") {
        out.write(reinterpret_cast<const char*>(data.get()), std::streamsize(size));
        return 0;
    }
    writeWholeFile(target, data.get(), size, "extract " + path);
    return 0;
}

int check(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 2) throw Failure("check: expected one archive" + seeUsage);
    const std::string& path = args[1];
    FileArchive archive;
    openArchive(archive, "check", path);
    int64_t dataEnd = archive.getDataStart();
    for (int32_t k = 0; k < archive.getCount(); ++k) {
        std::string name = archive.getName(k);
        int32_t first = archive.find(name.c_str());
        if (first != k)
            throw Failure("check " + path + ": entry \"" + name + "\" can't be read, \"" + archive.getName(first) + "\" answers its name");
        std::unique_ptr<uint8_t[]> data(archive.getFile(name.c_str()));
        if (!data) throw Failure("check " + path + ": couldn't read entry \"" + name + "\"");
        dataEnd += archive.getSize(k);
    }
    std::error_code error;
    auto length = fs::file_size(path, error);
    if (error) throw Failure("check " + path + ": " + error.message());
    if (int64_t(length) != dataEnd)
        throw Failure("check " + path + ": " + std::to_string(int64_t(length) - dataEnd) +
                      " bytes after the last entry's data; the sizes don't add up to the file");
    out << path << ": OK, " << archive.getCount() << " entries, " << (dataEnd - archive.getDataStart())
        << " bytes of data\n";
    return 0;
}

} // namespace

std::string usage() {
    return "usage: datapack create OUT [-C DIR] FILE...   pack files (or directories) into an archive\n"
           "       datapack list ARCHIVE                  name, size and offset of every entry\n"
           "       datapack extract ARCHIVE NAME [OUT]    write one entry to OUT (default: its file name; - for stdout)\n"
           "       datapack check ARCHIVE                 verify the directory and every entry";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (args.empty()) throw Failure("missing command" + seeUsage);
        const std::string& command = args[0];
        if (command == "create") return create(args, out);
        if (command == "list") return list(args, out);
        if (command == "extract") return extract(args, out);
        if (command == "check") return check(args, out);
        if (command == "help" || command == "--help" || command == "-h") {
            out << usage() << '\n';
            return 0;
        }
        throw Failure("unknown command \"" + command + "\"" + seeUsage);
    } catch (const Failure& failure) {
        err << "datapack: " << failure.what() << '\n';
    } catch (const std::exception& failure) {
        err << "datapack: " << (args.empty() ? "" : args[0] + ": ") << failure.what() << '\n';
    }
    return 1;
}

} // namespace Datapack
