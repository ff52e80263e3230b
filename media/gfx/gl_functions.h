// The GL entry points the renderer uses, loaded at run time from the current
// context so nothing links against a GL loader library. The renderer keeps to
// what OpenGL 3.3 core and OpenGL ES 3.0 share: every entry below exists in
// both under the same name and with the same enumerants, so one table serves
// either context.
#pragma once

#include <string>

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h> // WebGL 2 is OpenGL ES 3.0: the same names and types
#else
#include <GL/glcorearb.h>
#endif

#define PALMUT_GL_FUNCTIONS(X)                                                                     \
    X(PFNGLGETERRORPROC, GetError)                                                                 \
    X(PFNGLGETSTRINGPROC, GetString)                                                               \
    X(PFNGLGETINTEGERVPROC, GetIntegerv)                                                           \
    X(PFNGLVIEWPORTPROC, Viewport)                                                                 \
    X(PFNGLCLEARCOLORPROC, ClearColor)                                                             \
    X(PFNGLCLEARPROC, Clear)                                                                       \
    X(PFNGLENABLEPROC, Enable)                                                                     \
    X(PFNGLDISABLEPROC, Disable)                                                                   \
    X(PFNGLBLENDFUNCSEPARATEPROC, BlendFuncSeparate)                                               \
    X(PFNGLPIXELSTOREIPROC, PixelStorei)                                                           \
    X(PFNGLREADPIXELSPROC, ReadPixels)                                                             \
    X(PFNGLGENTEXTURESPROC, GenTextures)                                                           \
    X(PFNGLDELETETEXTURESPROC, DeleteTextures)                                                     \
    X(PFNGLBINDTEXTUREPROC, BindTexture)                                                           \
    X(PFNGLACTIVETEXTUREPROC, ActiveTexture)                                                       \
    X(PFNGLTEXIMAGE2DPROC, TexImage2D)                                                             \
    X(PFNGLTEXSUBIMAGE2DPROC, TexSubImage2D)                                                       \
    X(PFNGLTEXPARAMETERIPROC, TexParameteri)                                                       \
    X(PFNGLGENSAMPLERSPROC, GenSamplers)                                                           \
    X(PFNGLDELETESAMPLERSPROC, DeleteSamplers)                                                     \
    X(PFNGLBINDSAMPLERPROC, BindSampler)                                                           \
    X(PFNGLSAMPLERPARAMETERIPROC, SamplerParameteri)                                               \
    X(PFNGLSAMPLERPARAMETERFPROC, SamplerParameterf)                                               \
    X(PFNGLGENBUFFERSPROC, GenBuffers)                                                             \
    X(PFNGLDELETEBUFFERSPROC, DeleteBuffers)                                                       \
    X(PFNGLBINDBUFFERPROC, BindBuffer)                                                             \
    X(PFNGLBUFFERDATAPROC, BufferData)                                                             \
    X(PFNGLBUFFERSUBDATAPROC, BufferSubData)                                                       \
    X(PFNGLGENVERTEXARRAYSPROC, GenVertexArrays)                                                   \
    X(PFNGLDELETEVERTEXARRAYSPROC, DeleteVertexArrays)                                             \
    X(PFNGLBINDVERTEXARRAYPROC, BindVertexArray)                                                   \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray)                                   \
    X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer)                                           \
    X(PFNGLVERTEXATTRIBIPOINTERPROC, VertexAttribIPointer)                                         \
    X(PFNGLDRAWELEMENTSPROC, DrawElements)                                                         \
    X(PFNGLCREATESHADERPROC, CreateShader)                                                         \
    X(PFNGLDELETESHADERPROC, DeleteShader)                                                         \
    X(PFNGLSHADERSOURCEPROC, ShaderSource)                                                         \
    X(PFNGLCOMPILESHADERPROC, CompileShader)                                                       \
    X(PFNGLGETSHADERIVPROC, GetShaderiv)                                                           \
    X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog)                                                 \
    X(PFNGLCREATEPROGRAMPROC, CreateProgram)                                                       \
    X(PFNGLDELETEPROGRAMPROC, DeleteProgram)                                                       \
    X(PFNGLATTACHSHADERPROC, AttachShader)                                                         \
    X(PFNGLBINDATTRIBLOCATIONPROC, BindAttribLocation)                                             \
    X(PFNGLLINKPROGRAMPROC, LinkProgram)                                                           \
    X(PFNGLGETPROGRAMIVPROC, GetProgramiv)                                                         \
    X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog)                                               \
    X(PFNGLUSEPROGRAMPROC, UseProgram)                                                             \
    X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation)                                             \
    X(PFNGLUNIFORM1IPROC, Uniform1i)                                                               \
    X(PFNGLUNIFORM1FPROC, Uniform1f)                                                               \
    X(PFNGLUNIFORM2FPROC, Uniform2f)                                                               \
    X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers)                                                   \
    X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers)                                             \
    X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer)                                                   \
    X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D)                                         \
    X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus)                                     \
    X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer)                                                   \
    X(PFNGLSCISSORPROC, Scissor)

namespace media_internal {

struct GlFunctions {
#define PALMUT_GL_MEMBER(type, name) type name = nullptr;
    PALMUT_GL_FUNCTIONS(PALMUT_GL_MEMBER)
#undef PALMUT_GL_MEMBER
    bool es = false; // an OpenGL ES context: shaders need their ES header
};

// The table of the current context; filled by LoadGlFunctions.
extern GlFunctions gl;

// Fills `gl` from the current context, which is an OpenGL ES one when `es`.
// False (and the table emptied) when an entry point is missing or the context
// is of the wrong kind or older than 3.3 core / ES 3.0, so the caller can try
// the next kind or refuse the mode; the reason goes to the debug log.
bool LoadGlFunctions(bool es);

// "<GL_VERSION>, <GL_RENDERER>" of the current context, for the debug log.
std::string GlContextDescription();

} // namespace media_internal
