// The OpenGL 3.3 core entry points the renderer uses, loaded at run time from
// the current context so nothing links against a GL loader library.
#pragma once

#include <GL/glcorearb.h>

#define PALMUT_GL_FUNCTIONS(X)                                                                     \
    X(PFNGLGETERRORPROC, GetError)                                                                 \
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
    X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer)

struct GlFunctions {
#define PALMUT_GL_MEMBER(type, name) type name = nullptr;
    PALMUT_GL_FUNCTIONS(PALMUT_GL_MEMBER)
#undef PALMUT_GL_MEMBER
};

// The table of the current context; filled by LoadGlFunctions.
extern GlFunctions gl;

// Fills `gl` from the current context. False (and the table emptied) when an
// entry point is missing, so the caller can refuse the mode.
bool LoadGlFunctions();
