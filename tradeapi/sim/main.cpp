// simmarketd [--scenario FILE] [--seed N] [--ports T1,T2,MD,HTTP] [--ports-file FILE]
//            [--swallow C1,C2,...]
// A simulated market on loopback: two trade fronts, one market-data front and
// one HTTP port. Prints one "ready" line once every port listens; SIGTERM or
// SIGINT stops it. --swallow starts it with the answers of those codes
// swallowed (as /admin/answer?code=C&mode=swallow), so a client that connects
// at once meets the fault.
#include "AdminHttp.h"
#include "SimMarket.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

struct Options
{
    std::string scenarioFile;
    unsigned seed = 1;
    std::vector<unsigned short> ports{0, 0, 0, 0};
    std::string portsFile;
    std::vector<uint32_t> swallowed; // answer codes
};

[[noreturn]] void Usage(const std::string& problem)
{
    std::cerr << "simmarketd: " << problem << "\n"
              << "usage: simmarketd [--scenario FILE] [--seed N] [--ports T1,T2,MD,HTTP] [--ports-file FILE]"
                 " [--swallow C1,C2,...]\n";
    std::exit(2);
}

unsigned long ParseNumber(const std::string& text, unsigned long max, const char* what)
{
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(text, &used);
        if(used == text.size() && value <= max && text[0] != '-')
            return value;
    } catch(const std::exception&) {
    }
    Usage(std::string("bad ") + what + ": " + text);
}

Options Parse(int argc, char** argv)
{
    Options options;
    for(int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if(i + 1 >= argc)
                Usage(arg + " needs a value");
            return argv[++i];
        };
        if(arg == "--scenario")
            options.scenarioFile = value();
        else if(arg == "--seed")
            options.seed = static_cast<unsigned>(ParseNumber(value(), 0xffffffffUL, "seed"));
        else if(arg == "--ports-file")
            options.portsFile = value();
        else if(arg == "--ports") {
            std::stringstream list(value());
            std::string item;
            options.ports.clear();
            while(std::getline(list, item, ','))
                options.ports.push_back(static_cast<unsigned short>(ParseNumber(item, 65535, "port")));
            if(options.ports.size() != 4)
                Usage("--ports needs four ports: T1,T2,MD,HTTP");
        } else if(arg == "--swallow") {
            std::stringstream list(value());
            std::string item;
            while(std::getline(list, item, ','))
                options.swallowed.push_back(static_cast<uint32_t>(ParseNumber(item, 0xffffffffUL, "code")));
        } else
            Usage("unknown argument " + arg);
    }
    return options;
}

nlohmann::json LoadScenario(const std::string& file)
{
    if(file.empty())
        return nlohmann::json::parse(simmarket::DefaultScenarioText());
    std::ifstream in(file);
    if(!in)
        throw std::runtime_error("cannot read scenario " + file);
    return nlohmann::json::parse(in);
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = Parse(argc, argv);
    try {
        boost::asio::io_context io;
        simmarket::SimMarket market(io, LoadScenario(options.scenarioFile), options.seed);
        for(const uint32_t code : options.swallowed) {
            simmarket::Fault swallow;
            swallow.mode = simmarket::Fault::Swallow;
            if(!market.Server().Router().SetFault(code, swallow))
                Usage("--swallow: " + std::to_string(code) + " is no answer of a request");
        }
        market.Server().Open({options.ports[0], options.ports[1], options.ports[2]});
        simmarket::AdminHttp http(market);
        const unsigned short httpPort = http.Start(options.ports[3]);
        const auto ports = market.Server().Ports();

        // Taken before the ready line: a SIGTERM right after it stops the market cleanly.
        boost::asio::signal_set signals(io, SIGTERM, SIGINT);
        signals.async_wait([&](const boost::system::error_code&, int) {
            market.Server().Close();
            io.stop();
        });

        const nlohmann::json portsJson = {
            {"trade", {ports[0], ports[1]}}, {"md", ports[2]}, {"http", httpPort}, {"pid", ::getpid()}};
        if(!options.portsFile.empty()) {
            // Written whole under a temporary name, so a reader never sees half.
            const std::string temp = options.portsFile + ".tmp";
            std::ofstream(temp) << portsJson.dump() << "\n";
            if(std::rename(temp.c_str(), options.portsFile.c_str()) != 0)
                throw std::runtime_error("cannot write " + options.portsFile);
        }
        std::cout << "simmarketd ready trade1=" << ports[0] << " trade2=" << ports[1] << " md=" << ports[2]
                  << " http=" << httpPort << std::endl;

        std::signal(SIGPIPE, SIG_IGN);
        io.run();
        http.Stop();
        return 0;
    } catch(const std::exception& e) {
        std::cerr << "simmarketd: " << e.what() << std::endl;
        return 1;
    }
}
