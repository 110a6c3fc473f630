#include "http/NginxServer.h"

#include "http/LoopbackPort.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string FindNginx()
{
    for (const char* candidate : {"/usr/sbin/nginx", "/usr/bin/nginx", "/usr/local/sbin/nginx"})
        if (::access(candidate, X_OK) == 0)
            return candidate;
    throw std::runtime_error("nginx not found: install the Debian package nginx-light");
}

std::string Configuration(const std::string& folder, const std::string& root, int port)
{
    std::ostringstream conf;
    if (::geteuid() == 0)
        conf << "user root;\n";
    conf << "daemon off;\nworker_processes 1;\npid " << folder << "/nginx.pid;\n"
         << "error_log " << folder << "/error.log;\n"
         << "events { worker_connections 64; }\n"
         << "http {\n"
         << "  default_type application/octet-stream;\n"
         << "  log_format conn '$connection $connection_requests $request';\n"
         << "  access_log " << folder << "/access.log conn;\n"
         << "  client_body_temp_path " << folder << "/client_body;\n"
         << "  proxy_temp_path " << folder << "/proxy;\n"
         << "  fastcgi_temp_path " << folder << "/fastcgi;\n"
         << "  uwsgi_temp_path " << folder << "/uwsgi;\n"
         << "  scgi_temp_path " << folder << "/scgi;\n"
         << "  sendfile on;\n  keepalive_timeout 60;\n"
         << "  keepalive_disable none;\n" // the client calls itself MSIE 5.5
         << "  server {\n"
         << "    listen 127.0.0.1:" << port << ";\n"
         << "    root " << root << ";\n"
         << "    location /chunked/ { alias " << root << "/; ssi on; ssi_types *; gzip off; }\n"
         << "    location = /form { return 200 \"OK\"; }\n"
         << "  }\n}\n";
    return conf.str();
}

} // namespace

std::string WritePatternFile(const std::string& path, size_t size)
{
    std::string bytes(size, '\0');
    std::mt19937 random(12345);
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

TNginxServer::TNginxServer()
{
    const std::string nginx = FindNginx();
    std::string pattern = (std::filesystem::temp_directory_path() / "taskwren-nginx-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    Folder = pattern;
    Root = Folder + "/www";
    std::filesystem::create_directories(Root);
    // The free port may be taken by someone else before nginx binds it: then try another.
    for (int attempt = 1;; ++attempt) {
        PortNumber = FreeLoopbackPort();
        const std::string log = Start(nginx);
        if (log.empty())
            return;
        if (attempt == 5 || log.find("Address already in use") == std::string::npos) {
            std::filesystem::remove_all(Folder);
            throw std::runtime_error("nginx did not start: " + log);
        }
    }
}

std::string TNginxServer::Start(const std::string& nginx)
{
    const std::string confPath = Folder + "/nginx.conf";
    std::ofstream(confPath) << Configuration(Folder, Root, PortNumber);
    std::filesystem::remove(Folder + "/error.log");

    Pid = ::fork();
    if (Pid == 0) {
        ::execl(nginx.c_str(), nginx.c_str(), "-p", Folder.c_str(), "-c", confPath.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // nginx writes its pid file once it holds the port; a bare connection could reach a stranger.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(Folder + "/nginx.pid") || !LoopbackAccepts(PortNumber)) {
        int status = 0;
        const bool exited = ::waitpid(Pid, &status, WNOHANG) == Pid;
        if (exited || std::chrono::steady_clock::now() > deadline) {
            if (!exited) {
                ::kill(Pid, SIGKILL);
                ::waitpid(Pid, &status, 0);
            }
            Pid = -1;
            std::ifstream log(Folder + "/error.log");
            std::stringstream text;
            text << log.rdbuf();
            return text.str().empty() ? "no log" : text.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

TNginxServer::~TNginxServer()
{
    if (Pid > 0) {
        ::kill(Pid, SIGTERM); // fast shutdown of master and worker
        int status = 0;
        ::waitpid(Pid, &status, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
}

std::string TNginxServer::Url(const std::string& target) const
{
    return "http://127.0.0.1:" + std::to_string(PortNumber) + target;
}

std::string TNginxServer::AccessLog() const
{
    std::ifstream log(Folder + "/access.log");
    std::stringstream text;
    text << log.rdbuf();
    return text.str();
}
