#pragma once
// The reference publisher service (tools/publisher) run privately for a test: its SQLite
// database in a fresh temporary folder, its admin script, and PHP's built-in web server on a
// free loopback port in a process group of its own, stopped on destruction. No Qt.
// Throws std::runtime_error when PHP is missing or the server does not start.
//
// With TASKWREN_TEST_DATABASE set to a database server's PDO data source name without a
// database name (TASKWREN_TEST_DATABASE_USER and _PASSWORD its account), the database is a
// scratch database made on that server instead, and dropped on destruction.

#include "TTempFolder.h"

#include <string>
#include <vector>

#include <sys/types.h>

struct TAdminRun {
    int Status = -1; // the exit status; -1 when the script did not end by itself
    std::string Out;
    std::string Err;
};

// The id in the admin script's line "added news ID for ..."; empty when it is not such a line.
std::string AddedNewsId(const std::string& adminOutput);

class TPublisherService {
public:
    // Creates the tables (admin.php init) and starts the server.
    TPublisherService();
    ~TPublisherService();
    TPublisherService(const TPublisherService&) = delete;
    TPublisherService& operator=(const TPublisherService&) = delete;

    // The news base address of the settings file: "http://127.0.0.1:PORT/".
    [[nodiscard]] std::string BaseAddress() const;
    // Where "mainappupdate.inf" lies: BaseAddress() + "liveupdate/taskwren/".
    [[nodiscard]] std::string UpdateBaseAddress() const;

    // Replaces the update directory's "mainappupdate.inf", which starts as the service's own.
    void WriteUpdateDescription(const std::string& text) const;

    // Runs "php admin.php" with `arguments` against this service's database and returns
    // what it printed; throws std::runtime_error with its error output when it fails.
    std::string Admin(const std::vector<std::string>& arguments) const;
    // The same for a run that may fail; `input` is its standard input.
    [[nodiscard]] TAdminRun RunAdmin(const std::vector<std::string>& arguments, const std::string& input = "") const;

    // Runs one SQL statement on the service's database.
    void Sql(const std::string& statement) const;
    // "sqlite", "pgsql" or "mysql".
    [[nodiscard]] std::string Driver() const { return Dsn.substr(0, Dsn.find(':')); }
    // Removes the database (the SQLite file); whether it exists; an empty one in its place.
    void RemoveDatabase() const;
    [[nodiscard]] bool DatabaseExists() const;
    void CreateEmptyDatabase() const;
    // What the server printed so far: its request log and PHP's error messages.
    [[nodiscard]] std::string ServerLog() const { return Folder.Read("server.log"); }

private:
    // Starts the server on PortNumber; "" once it serves there, else what it printed.
    std::string Start();
    // Runs "php SCRIPT ARGUMENTS" against this service's database.
    [[nodiscard]] TAdminRun RunPhp(const std::string& script, const std::vector<std::string>& arguments,
                                   const std::string& input = "") const;
    // The scratch database on the server: "create", "exists" or "drop".
    [[nodiscard]] TAdminRun ScratchDatabase(const std::string& command) const;

    TTempFolder Folder;
    std::string Dsn;         // the service's data source name
    std::string ScratchName; // the scratch database on a server; empty for SQLite
    int PortNumber = 0;
    pid_t Pid = -1;
};
