#include "gl_probes.h"

#include <string>
#include <vector>

#include "demo/instrumentation.h"
#include "gpu/gl_extensions.h"
#include "gpu/log.h"

namespace {

uint64_t debugErrors = 0;

void GLAPIENTRY onDebugMessage(GLenum source, GLenum type, GLuint id, GLenum severity, GLsizei length,
                                 const GLchar* message, const void*)
{
    (void)source;
    (void)severity;
    if (type == GL_DEBUG_TYPE_ERROR)
        ++debugErrors;
    std::string text = "GL debug message " + std::to_string(id) + ": ";
    text.append(message, length >= 0 ? static_cast<size_t>(length) : std::char_traits<char>::length(message));
    Log::instance()->write(text);
}

using X = GlExtensions;

struct PendingQuery {
    std::string pass;
    GLuint query;
};
std::vector<PendingQuery> pending;
std::vector<GLuint> freeQueries;
std::map<std::string, double> totals;
std::map<std::string, int> runs;
std::map<std::string, double> averages;
std::map<std::string, double> lastFrame;

void passBegins(const char* pass)
{
    GLuint query = 0;
    if (!freeQueries.empty()) {
        query = freeQueries.back();
        freeQueries.pop_back();
    } else {
        X::glGenQueries(1, &query);
    }
    X::glBeginQuery(GL_TIME_ELAPSED, query);
    pending.push_back({pass, query});
}

void passEnds(const char*)
{
    X::glEndQuery(GL_TIME_ELAPSED);
}

} // namespace

bool enableGlDebugOutput()
{
    X::loadDiagnostics();
    if (!X::glDebugMessageCallback)
        return false;
    glEnable(GL_DEBUG_OUTPUT);
    glEnable(GL_DEBUG_OUTPUT_SYNCHRONOUS);
    X::glDebugMessageCallback(onDebugMessage, nullptr);
    return true;
}

uint64_t glDebugErrorCount() { return debugErrors; }

bool enablePassTimers()
{
    X::loadDiagnostics();
    if (!X::glGenQueries || !X::glDeleteQueries || !X::glBeginQuery || !X::glEndQuery || !X::glGetQueryObjectui64v)
        return false;
    // Some drivers time their very first query from zero; spend it here.
    passBegins("warm-up");
    passEnds("warm-up");
    collectPassTimes();
    totals.clear();
    runs.clear();
    averages.clear();
    demoInstrumentation.passBegins = passBegins;
    demoInstrumentation.passEnds = passEnds;
    return true;
}

void collectPassTimes()
{
    lastFrame.clear();
    for (const PendingQuery& query : pending) {
        GLuint64 nanoseconds = 0;
        X::glGetQueryObjectui64v(query.query, GL_QUERY_RESULT, &nanoseconds);
        // llvmpipe times a pass that draws depth only from its clock's zero;
        // a pass longer than a minute is such a reading, not a measurement.
        const double milliseconds = static_cast<double>(nanoseconds) / 1e6;
        if (milliseconds < 60000.0) {
            totals[query.pass] += milliseconds;
            runs[query.pass] += 1;
            averages[query.pass] = totals[query.pass] / runs[query.pass];
            lastFrame[query.pass] += milliseconds;
        } else {
            averages.try_emplace(query.pass, -1.0);
            lastFrame.try_emplace(query.pass, -1.0);
        }
        freeQueries.push_back(query.query);
    }
    pending.clear();
}

void releasePassTimers()
{
    if (!X::glDeleteQueries)
        return;
    collectPassTimes();
    if (!freeQueries.empty())
        X::glDeleteQueries(static_cast<GLsizei>(freeQueries.size()), freeQueries.data());
    freeQueries.clear();
    demoInstrumentation.passBegins = nullptr;
    demoInstrumentation.passEnds = nullptr;
}

const std::map<std::string, double>& passMilliseconds() { return averages; }

const std::map<std::string, double>& lastFramePassMilliseconds() { return lastFrame; }

int liveGlObjectCount()
{
    using IsName = GLboolean(GLAPIENTRY*)(GLuint);
    X::loadDiagnostics();
    const IsName probes[] = {glIsTexture, X::glIsBuffer, glIsList, X::glIsFramebuffer,
                             X::glIsRenderbuffer, X::glIsProgram, X::glIsShader};
    int live = 0;
    for (const IsName probe : probes) {
        for (GLuint name = 1; probe && name < 20000; ++name)
            live += probe(name) ? 1 : 0;
    }
    return live;
}
