#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class AppContext;

// The procedures of the program by name ("Browsepapier", "Updatekaldruck", "PrintPAP:Keypbez"):
// each entry runs its procedure on the thread that calls it, from Init to Shutdown, and leaves
// the response in LastResponse. The menu starts them on threads of their own; a list calls
// its update form on its own thread.
class ProcedureRegistry
{
public:
    using Body = std::function<void(AppContext &app)>;

    void add(std::string name, Body body);
    // A window-manager procedure: the controller is made on the calling thread, run, and its
    // response stored for the caller.
    template<class Controller>
    void add(std::string name)
    {
        add(std::move(name), [](AppContext &app) { runController<Controller>(app); });
    }

    // Withdraws a procedure; starting it afterwards reports it as not defined.
    void remove(std::string_view name);

    bool contains(std::string_view name) const;
    // Null when the procedure is not defined.
    const Body *find(std::string_view name) const;
    std::vector<std::string> names() const;

    template<class Controller>
    static void runController(AppContext &app);

private:
    std::map<std::string, Body, std::less<>> m_bodies;
};
