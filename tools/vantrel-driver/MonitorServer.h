#pragma once

#include <cstddef>
#include <functional>
#include <poll.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrel::driver {

// Serves the monitor stream: a read-only Unix-domain stream socket that any number of clients
// (up to kMaximumClients) may connect to and leave at any time. Each record is one line. A
// new client first gets the snapshot (the driver's state), then every record published.
//
// It never waits on a client: sends do not block, and each client has a queue of at most
// kQueueLimit bytes beyond what its socket holds. A record that does not fit is dropped for
// that client; once its queue has drained to half, the client gets "dropped records=N" and a
// fresh snapshot, so it knows what it missed and where things stand. A client may send
// requests, one line each (at most kRequestLimit bytes; a longer one is thrown away), which go
// to the request handler with the number of the client that sent them.
class MonitorServer {
public:
    static constexpr std::size_t kRequestLimit = 1024;
    using RequestHandler = std::function<void(int client, std::string_view line)>;
    using LeftHandler = std::function<void(int client)>;

    static constexpr std::size_t kMaximumClients = 8;
    static constexpr std::size_t kQueueLimit = 32 * 1024;
    // What the kernel holds for a client that does not read, beside the queue.
    static constexpr int kSocketBuffer = 16 * 1024;

    // snapshot gives the state records, each ending in a line end.
    MonitorServer(std::string socketPath, std::function<std::string()> snapshot);
    ~MonitorServer(); // closes every connection and removes the socket file
    MonitorServer(const MonitorServer&) = delete;
    MonitorServer& operator=(const MonitorServer&) = delete;

    // Creates the socket. The caller owns the folder's X36Program socket already, so a socket
    // found at the path is a dead driver's and is replaced; anything else is left alone.
    bool listen(std::string& error);
    // Appends what to wait for: new clients, clients hanging up, clients ready for more.
    void addWaits(std::vector<pollfd>& waits) const;
    // Handles whatever is ready now, without waiting.
    void step();
    // Sends one record (without its line end) to every client.
    void publish(std::string_view record);

    // Called from step(), after every client has been served, so they may publish.
    void setRequestHandler(RequestHandler handler) { onRequest_ = std::move(handler); }
    void setLeftHandler(LeftHandler handler) { onLeft_ = std::move(handler); }

    std::size_t clientCount() const { return clients_.size(); }
    const std::string& socketPath() const { return socketPath_; }

private:
    struct Client {
        int id = 0;
        int fd = -1;
        std::string request;     // the start of a request line
        bool overlong = false;   // the request being read is thrown away
        std::string queue;       // bytes not yet taken by the socket
        std::size_t dropped = 0; // records left out since the queue filled
    };

    void accept();
    // Sends what the socket takes; false when the client has gone.
    bool flush(Client& client);
    void enqueue(Client& client, std::string_view line);
    void closeGone();
    // Reads what the client sent; false when it has gone.
    bool readRequests(Client& client, std::vector<std::pair<int, std::string>>& requests);

    std::string socketPath_;
    std::function<std::string()> snapshot_;
    int listener_ = -1;
    std::vector<Client> clients_;
    int nextId_ = 0;
    RequestHandler onRequest_;
    LeftHandler onLeft_;
    std::vector<int> left_; // clients gone since their handler was last told
};

} // namespace vantrel::driver
